#include "ui/batch/folder_browser.h"

#include <shlobj.h>

#include <utility>

#include "app/ui_handles.h"

namespace ui::batch {
namespace {

constexpr char kTitle[] = "请选择需要修改时间属性的文件或文件夹...";
constexpr UINT kFlags = BIF_BROWSEINCLUDEFILES | BIF_EDITBOX;

}  // namespace

std::string ChooseFileOrFolder(HWND owner) {
  if (const auto& standIn = ScopedFolderBrowser::Current()) return standIn(owner, kTitle, kFlags);
  BROWSEINFOA info{};
  info.hwndOwner = owner;
  info.lpszTitle = kTitle;
  info.ulFlags = kFlags;
  app::UniquePidl chosen(SHBrowseForFolderA(&info));
  if (!chosen) return {};
  char path[MAX_PATH] = {};
  if (!SHGetPathFromIDListA(chosen.get(), path)) return {};
  return path;
}

}  // namespace ui::batch
