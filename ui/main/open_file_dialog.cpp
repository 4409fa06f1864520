#include "ui/main/open_file_dialog.h"

#include <utility>
#include <vector>

namespace ui::main {
namespace {

// One entry: description, pattern, and the closing empty string.
constexpr char kFilter[] = "所有文件(*.*)\0*.*\0";
constexpr char kTitle[] = "请选择需要修改时间属性的文件...";

}  // namespace

std::optional<std::string> ChooseFileToOpen(HWND owner) {
  // Room for long paths, not just MAX_PATH.
  std::vector<char> file(32768, '\0');
  OPENFILENAMEA settings{};
  settings.lStructSize = sizeof settings;
  settings.hwndOwner = owner;
  settings.lpstrFilter = kFilter;
  settings.nFilterIndex = 1;
  settings.lpstrFile = file.data();
  settings.nMaxFile = static_cast<DWORD>(file.size());
  settings.lpstrTitle = kTitle;
  settings.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
  if (const auto& standIn = ScopedOpenFileDialog::Current()) return standIn(settings);
  if (!GetOpenFileNameA(&settings)) return std::nullopt;
  return std::string(file.data());
}

}  // namespace ui::main
