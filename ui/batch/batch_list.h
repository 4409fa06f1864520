#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ui/batch/batch_rows.h"

namespace app {
class PaintThrottle;
}

namespace ui::batch {

class RowIcons;

// Adds paths to the batch window's rows and keeps the list view's row count with them;
// writes progress and the row count into the status bar.
class BatchList {
 public:
  BatchList(HWND list, HWND statusBar, BatchRows& rows, RowIcons& icons)
      : list_(list), status_(statusBar), rows_(rows), icons_(icons) {}

  // Adds each path: a folder gives its own row, then one row per subfolder and one per file
  // directly inside it; anything else (a missing path too) one file row. Lets waiting
  // messages through between items. The caller holds the busy state and COM.
  void AddPaths(const std::vector<std::string>& paths);

  // The "N files (folders) to process" text for the current row count.
  void ShowRowCount();

 private:
  void ExpandFolder(const std::string& folder, app::PaintThrottle& painting);
  // size: what a listing already said; without it a file's size is searched for.
  void AddRow(const std::string& path, RowKind kind, int indent, app::PaintThrottle& painting,
              std::optional<std::uint64_t> size = {});

  HWND list_;
  HWND status_;
  BatchRows& rows_;
  RowIcons& icons_;
};

// Tells the list view how many rows there are, keeping its scroll position and selection.
void ShowRowsInList(HWND list, std::size_t rows);

// A drive root such as "C:\": three bytes ending in ":\".
bool IsDriveRoot(const std::string& path);
std::string RowCountText(int rows);

}  // namespace ui::batch
