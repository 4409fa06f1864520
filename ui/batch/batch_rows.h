#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/batch/batch_design.h"

namespace ui::batch {

enum class RowKind : std::uint8_t { kFile, kFolder, kDriveRoot };
enum class RowStatus : std::uint8_t { kPending, kSucceeded, kFailed };

// One pending path. The list view only shows rows; what the program needs back (the path, its
// kind) is read from here, never from a display text.
struct BatchRow {
  std::string path;             // exactly as it was added: the key of the file
  std::uint32_t nameStart = 0;  // where the name column's text begins in path
  RowKind kind = RowKind::kFile;
  std::uint8_t indent = 0;  // 1 for an entry found inside an added folder
  RowStatus status = RowStatus::kPending;
  bool sizeKnown = false;  // files only; a size that could not be read shows as nothing
  std::uint64_t size = 0;
  int image = -1;                         // index in the window's small-icon list, -1 for none
  const std::string* typeName = nullptr;  // a file row's shell type name, shared by its extension
};

// The batch window's rows in list order: appended, never sorted, duplicates allowed.
class BatchRows {
 public:
  std::size_t size() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }
  const BatchRow& operator[](std::size_t index) const { return rows_[index]; }
  BatchRow& operator[](std::size_t index) { return rows_[index]; }

  // Appends the row; its name is the part of the path the shell calls the file name.
  void Append(BatchRow row);
  // Removes the rows whose flag is set (flags holds one per row).
  void RemoveMarked(const std::vector<bool>& marked);
  // Empties the list and gives its memory back.
  void Clear();

  // The text a cell shows: name, size, type, path or status.
  std::string CellText(std::size_t row, Column column) const;

  // The first row from start on (then from the top, when wrapping) whose name equals text or,
  // for a partial search, begins with it; upper and lower case alike, as the list's own
  // search compares. Type-to-find and the list's find message ask this.
  enum class NameMatch : std::uint8_t { kWhole, kPrefix };
  std::optional<std::size_t> FindName(std::wstring_view text, std::size_t start, NameMatch match, bool wrap) const;

 private:
  std::vector<BatchRow> rows_;
};

// Type text of a folder row that stands for a drive root, and of any other folder row.
inline constexpr char kDriveType[] = "磁盘 ";
inline constexpr char kFolderType[] = "文件夹 ";

}  // namespace ui::batch
