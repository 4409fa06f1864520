#include "ui/batch/batch_rows.h"

#include <windows.h>
// shlwapi.h needs windows.h before it.
#include <shlwapi.h>

#include <algorithm>

#include "core/file_stamp.h"
#include "core/text_encoding.h"

namespace ui::batch {

void BatchRows::Append(BatchRow row) {
  row.nameStart = static_cast<std::uint32_t>(PathFindFileNameA(row.path.c_str()) - row.path.c_str());
  rows_.push_back(std::move(row));
}

void BatchRows::RemoveMarked(const std::vector<bool>& marked) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (i < marked.size() && marked[i]) continue;
    if (kept != i) rows_[kept] = std::move(rows_[i]);
    ++kept;
  }
  rows_.resize(kept);
}

void BatchRows::Clear() { std::vector<BatchRow>().swap(rows_); }

std::optional<std::size_t> BatchRows::FindName(std::wstring_view text, std::size_t start, NameMatch match,
                                               bool wrap) const {
  const auto matches = [&](const BatchRow& row) {
    const std::wstring name = core::Utf8ToWide(std::string_view(row.path).substr(row.nameStart));
    if (name.size() < text.size() || (match == NameMatch::kWhole && name.size() != text.size())) return false;
    // Ordinal, ignoring case: the comparison the file system makes between names.
    return CompareStringOrdinal(name.data(), static_cast<int>(text.size()), text.data(), static_cast<int>(text.size()),
                                TRUE) == CSTR_EQUAL;
  };
  start = std::min(start, rows_.size());
  for (std::size_t i = start; i < rows_.size(); ++i)
    if (matches(rows_[i])) return i;
  if (wrap)
    for (std::size_t i = 0; i < start; ++i)
      if (matches(rows_[i])) return i;
  return std::nullopt;
}

std::string BatchRows::CellText(std::size_t index, Column column) const {
  const BatchRow& row = rows_[index];
  switch (column) {
    case kColumnName:
      return row.path.substr(row.nameStart);
    case kColumnSize:
      return row.kind == RowKind::kFile && row.sizeKnown ? core::FormatByteSize(row.size) : std::string();
    case kColumnType:
      switch (row.kind) {
        case RowKind::kDriveRoot:
          return kDriveType;
        case RowKind::kFolder:
          return kFolderType;
        case RowKind::kFile:
          return row.typeName ? *row.typeName : std::string();
      }
      return {};
    case kColumnPath:
      return row.path;
    case kColumnStatus:
      switch (row.status) {
        case RowStatus::kPending:
          return " -";
        case RowStatus::kSucceeded:
          return "成功";
        case RowStatus::kFailed:
          return "失败";
      }
  }
  return {};
}

}  // namespace ui::batch
