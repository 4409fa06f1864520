#include "ui/batch/batch_list.h"

#include <commctrl.h>

#include "app/controls.h"
#include "app/paint_throttle.h"
#include "core/file_stamp.h"
#include "core/folder_listing.h"
#include "ui/batch/row_icons.h"

namespace ui::batch {

bool IsDriveRoot(const std::string& path) { return path.size() == 3 && path.compare(1, 2, ":\\") == 0; }

std::string RowCountText(int rows) { return "共包含 " + std::to_string(rows) + " 个待处理的文件(夹)!"; }

void ShowRowsInList(HWND list, std::size_t rows) {
  SendMessageW(list, LVM_SETITEMCOUNT, rows, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

void BatchList::AddPaths(const std::vector<std::string>& paths) {
  {
    app::PaintThrottle painting(list_, status_);
    for (const std::string& path : paths) {
      painting.PumpIfDue();
      const core::AttributeSet attributes = core::ReadAttributes(path);
      if (attributes != core::KeepAttributes && (attributes & core::kDirectory)) {
        ExpandFolder(path, painting);
      } else {
        AddRow(path, RowKind::kFile, 0, painting);
      }
    }
  }
  ShowRowCount();
}

void BatchList::ShowRowCount() { app::SbSetText(status_, RowCountText(static_cast<int>(rows_.size()))); }

void BatchList::ExpandFolder(const std::string& folder, app::PaintThrottle& painting) {
  AddRow(folder, IsDriveRoot(folder) ? RowKind::kDriveRoot : RowKind::kFolder, 0, painting);
  const std::string prefix = !folder.empty() && folder.back() == '\\' ? folder : folder + "\\";
  // One listing: subfolders are added as they come, files after all of them, each with the
  // size the listing gave.
  std::vector<core::FolderEntry> files;
  core::ListFolder(folder, [&](const core::FolderEntry& entry) {
    if (entry.IsFolder()) {
      painting.PumpIfDue();
      AddRow(prefix + entry.name, RowKind::kFolder, 1, painting);
    } else {
      files.push_back(entry);
    }
  });
  for (const core::FolderEntry& file : files) {
    painting.PumpIfDue();
    AddRow(prefix + file.name, RowKind::kFile, 1, painting, file.state.size);
  }
}

void BatchList::AddRow(const std::string& path, RowKind kind, int indent, app::PaintThrottle& painting,
                       std::optional<std::uint64_t> size) {
  painting.ShowProgress("正在添加 => " + path);
  BatchRow row;
  row.path = path;
  row.kind = kind;
  row.indent = static_cast<std::uint8_t>(indent);
  if (kind == RowKind::kFile) {
    const RowIcons::Look look = icons_.ForFile(path);
    row.image = look.image;
    row.typeName = look.typeName;
    if (!size) {
      // A size that cannot be read shows as nothing rather than as a made-up number.
      const core::FileSize found = core::ReadFileSize(path);
      if (found.found) size = found.bytes;
    }
    row.sizeKnown = size.has_value();
    row.size = size.value_or(0);
  } else {
    row.image = icons_.ForFolder(path);
  }
  rows_.Append(std::move(row));
  ShowRowsInList(list_, rows_.size());
}

}  // namespace ui::batch
