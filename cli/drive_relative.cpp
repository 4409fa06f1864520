#include "cli/drive_relative.h"

#include <windows.h>

#include "core/text_encoding.h"

namespace cli {
namespace {

bool IsDriveRelative(const std::string& path) {
  const bool letter = path.size() >= 2 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  return letter && path[1] == ':' && (path.size() == 2 || (path[2] != '\\' && path[2] != '/'));
}

}  // namespace

std::string WithDriveFolder(const std::string& path) {
  if (!IsDriveRelative(path)) return path;
  // The process keeps each drive's current folder in its "=E:" environment entry; only
  // GetFullPathNameW reads it (the extended form the file calls get would not).
  const std::wstring wide = core::Utf8ToWide(path);
  std::wstring full(MAX_PATH, L'\0');
  DWORD length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length >= full.size()) {
    full.resize(length);
    length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  }
  if (length == 0 || length >= full.size()) return path;
  full.resize(length);
  return core::WideToUtf8(full);
}

}  // namespace cli
