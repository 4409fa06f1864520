#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace app {
class PaintThrottle;
}

namespace ui::batch {

// The batch window's rows: one per pending path, appended in the order added, never sorted,
// duplicates allowed. Writes progress and the row count into the status bar.
class BatchList {
 public:
  BatchList(HWND list, HWND statusBar, HIMAGELIST images) : list_(list), status_(statusBar), images_(images) {}

  // Adds each path: a folder gives its own row, then one row per subfolder and one per file
  // directly inside it; anything else (a missing path too) one file row. Lets waiting input
  // be handled between items. The caller holds the busy state and COM.
  void AddPaths(const std::vector<std::string>& paths);

  // The "N files (folders) to process" text for the current row count.
  void ShowRowCount();

 private:
  void ExpandFolder(const std::string& folder, app::PaintThrottle& painting);
  void AddRow(const std::string& path, bool isFolder, int indent);

  HWND list_;
  HWND status_;
  HIMAGELIST images_;
};

// Type text of a folder row that stands for a drive root; the batch run skips such rows.
inline constexpr char kDriveType[] = "磁盘 ";
inline constexpr char kFolderType[] = "文件夹 ";
inline constexpr char kNewRowStatus[] = " -";

// A drive root such as "C:\": three bytes ending in ":\".
bool IsDriveRoot(const std::string& path);
std::string RowCountText(int rows);

}  // namespace ui::batch
