#include "ui/batch/batch_list.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "app/controls.h"
#include "app/paint_throttle.h"
#include "app/ui_handles.h"
#include "core/file_stamp.h"
#include "core/folder_listing.h"
#include "ui/batch/batch_design.h"

namespace ui::batch {
namespace {

constexpr UINT kFolderQuery = SHGFI_ICON | SHGFI_SMALLICON;
// From the name's extension alone: the shell neither opens nor reads the file.
constexpr UINT kFileQuery = SHGFI_TYPENAME | SHGFI_ICON | SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON;
constexpr UINT kFallbackQuery = SHGFI_TYPENAME | SHGFI_ICON | SHGFI_LINKOVERLAY | SHGFI_SMALLICON;

}  // namespace

bool IsDriveRoot(const std::string& path) { return path.size() == 3 && path.compare(1, 2, ":\\") == 0; }

std::string RowCountText(int rows) { return "共包含 " + std::to_string(rows) + " 个待处理的文件(夹)!"; }

void BatchList::AddPaths(const std::vector<std::string>& paths) {
  {
    app::PaintThrottle painting({list_, status_});
    for (const std::string& path : paths) {
      painting.PumpIfDue();
      const core::AttributeSet attributes = core::ReadAttributes(path);
      if (attributes != core::KeepAttributes && (attributes & core::kDirectory)) {
        ExpandFolder(path, painting);
      } else {
        AddRow(path, false, 0);
      }
    }
  }
  ShowRowCount();
}

void BatchList::ShowRowCount() { app::SbSetText(status_, RowCountText(app::LvRowCount(list_))); }

void BatchList::ExpandFolder(const std::string& folder, app::PaintThrottle& painting) {
  AddRow(folder, true, 0);
  const std::string prefix = !folder.empty() && folder.back() == '\\' ? folder : folder + "\\";
  // One listing: subfolders are added as they come, files after all of them.
  std::vector<core::FolderEntry> files;
  core::ListFolder(folder, [&](const core::FolderEntry& entry) {
    painting.PumpIfDue();
    if (entry.IsFolder()) {
      AddRow(prefix + entry.name, true, 1);
    } else {
      files.push_back(entry);
    }
  });
  for (const core::FolderEntry& file : files) {
    painting.PumpIfDue();
    AddRow(prefix + file.name, false, 1);
  }
}

void BatchList::AddRow(const std::string& path, bool isFolder, int indent) {
  app::SbSetText(status_, "正在添加 => " + path);

  SHFILEINFOA info{};
  if (!SHGetFileInfoA(path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info, isFolder ? kFolderQuery : kFileQuery))
    SHGetFileInfoA(path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info, kFallbackQuery);
  const app::UniqueIcon icon(info.hIcon);  // the image list keeps its own copy

  std::string name = PathFindFileNameA(path.c_str());
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_INDENT | LVIF_PARAM | LVIF_STATE;
  item.iItem = app::LvRowCount(list_);
  item.pszText = name.data();
  item.iImage = icon ? ImageList_AddIcon(images_, icon.get()) : -1;
  item.iIndent = indent;
  const int row = static_cast<int>(SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  if (row < 0) return;

  if (!isFolder) {
    // A size that cannot be read shows as nothing rather than as a made-up number.
    const core::FileSize size = core::ReadFileSize(path);
    if (size.found) app::LvSetText(list_, row, kColumnSize, core::FormatByteSize(size.bytes));
  }
  const std::string type = isFolder ? (IsDriveRoot(path) ? kDriveType : kFolderType) : std::string(info.szTypeName);
  app::LvSetText(list_, row, kColumnType, type);
  app::LvSetText(list_, row, kColumnPath, path);
  app::LvSetText(list_, row, kColumnStatus, kNewRowStatus);
}

}  // namespace ui::batch
