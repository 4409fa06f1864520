#include "tests/support/immutable_file.h"

#include <windows.h>

#include "core/win_handles.h"
#include "tests/support/file_state.h"

namespace testing_support {
namespace {

using UnixFileNameFunction = char*(CDECL*)(const wchar_t*);

// Whether the file takes an open for writing now; a folder, whether a file can be made in it.
bool Writable(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return core::UniqueFileHandle(CreateFileW((path + L"\\.immutable-probe").c_str(), GENERIC_WRITE, 0, nullptr,
                                              CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr))
        .valid();
  }
  return core::UniqueFileHandle(CreateFileW(path.c_str(), GENERIC_WRITE,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr))
      .valid();
}

// Runs chattr with the flag change on the file's Unix path. Wine starts Unix programs but
// gives no handle to wait on, so the caller waits for the file's state instead.
bool RunChattr(const std::wstring& path, const char* change) {
  // Through a plain function pointer: GetProcAddress's own type does not match the export's.
  const auto unixName = reinterpret_cast<UnixFileNameFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* name = unixName ? unixName(path.c_str()) : nullptr;
  if (!name) return false;
  std::string command = std::string("Z:\\usr\\bin\\chattr ") + change + " \"" + name + "\"";
  HeapFree(GetProcessHeap(), 0, name);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  const core::UniqueKernelHandle processHandle(process.hProcess), threadHandle(process.hThread);
  return true;
}

bool WaitUntil(const std::wstring& path, bool writable) {
  for (int i = 0; i < 250; ++i) {
    if (Writable(path) == writable) return true;
    Sleep(20);
  }
  return false;
}

}  // namespace

ImmutableFile::ImmutableFile(std::string path) : path_(std::move(path)) {
  const std::wstring wide = WidePath(path_);
  locked_ = RunChattr(wide, "+i") && WaitUntil(wide, false);
}

ImmutableFile::~ImmutableFile() {
  if (!locked_) return;
  const std::wstring wide = WidePath(path_);
  if (RunChattr(wide, "-i")) WaitUntil(wide, true);
}

}  // namespace testing_support
