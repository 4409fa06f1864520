#include "ui/batch/folder_browser.h"

#include <shlobj.h>

#include <vector>

#include "app/ui_handles.h"
#include "core/text_encoding.h"

namespace ui::batch {
namespace {

constexpr char kTitle[] = "请选择需要修改时间属性的文件或文件夹...";
constexpr UINT kFlags = BIF_BROWSEINCLUDEFILES | BIF_EDITBOX;
// The longest path the platform knows: a chosen item's path is never cut.
constexpr DWORD kPathRoom = 32768;

}  // namespace

std::string ChooseFileOrFolder(HWND owner) {
  if (const auto& standIn = ScopedFolderBrowser::Current()) return standIn(owner, kTitle, kFlags);
  const std::wstring title = core::Utf8ToWide(kTitle);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = title.c_str();
  info.ulFlags = kFlags;
  app::UniquePidl chosen(SHBrowseForFolderW(&info));
  if (!chosen) return {};
  std::vector<wchar_t> path(kPathRoom, L'\0');
  if (!SHGetPathFromIDListEx(chosen.get(), path.data(), kPathRoom, GPFIDL_DEFAULT)) return {};
  return core::WideToUtf8(path.data());
}

}  // namespace ui::batch
