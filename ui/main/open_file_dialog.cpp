#include "ui/main/open_file_dialog.h"

#include <vector>

#include "core/text_encoding.h"

namespace ui::main {
namespace {

// One entry: description, pattern, and the closing empty string.
constexpr wchar_t kFilter[] = L"所有文件(*.*)\0*.*\0";
constexpr wchar_t kTitle[] = L"请选择需要修改时间属性的文件...";
// The working folder never stays on the chosen folder (it would keep a USB stick from being
// ejected, and relative paths are resolved against the program's folder).
constexpr DWORD kFlags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
// The longest path the platform knows, so a chosen path is never cut and the dialog never
// gives up on a long one.
constexpr std::size_t kPathRoom = 32768;

}  // namespace

std::optional<std::string> ChooseFileToOpen(HWND owner) {
  std::vector<wchar_t> file(kPathRoom, L'\0');
  OPENFILENAMEW settings{};
  settings.lStructSize = sizeof settings;
  settings.hwndOwner = owner;
  settings.lpstrFilter = kFilter;
  settings.nFilterIndex = 1;
  settings.lpstrFile = file.data();
  settings.nMaxFile = static_cast<DWORD>(file.size());
  settings.lpstrTitle = kTitle;
  settings.Flags = kFlags;
  if (const auto& standIn = ScopedOpenFileDialog::Current()) return standIn(settings);
  if (!GetOpenFileNameW(&settings)) return std::nullopt;
  return core::WideToUtf8(file.data());
}

}  // namespace ui::main
