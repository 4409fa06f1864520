#include "tests/support/temp_folder.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>

#include "core/text_encoding.h"
#include "core/win_handles.h"
#include "tests/support/file_state.h"

namespace testing_support {

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter{0};
  char base[MAX_PATH + 1];
  const DWORD length = GetTempPathA(MAX_PATH + 1, base);
  if (length == 0 || length > MAX_PATH) throw std::runtime_error("no temp path");
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string candidate = std::string(base) + "filestamp-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                            std::to_string(GetTickCount64()) + "-" + std::to_string(counter++);
    if (CreateDirectoryW(WidePath(candidate).c_str(), nullptr)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create temp folder");
}

TempFolder::~TempFolder() { RemoveTree(path_); }

std::string TempFolder::Child(const std::string& name) const { return path_ + "\\" + name; }

std::string TempFolder::MakeFile(const std::string& name, const std::string& content) const {
  const std::string full = Child(name);
  core::UniqueFileHandle file(
      CreateFileW(WidePath(full).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw std::runtime_error("cannot create " + full);
  DWORD written = 0;
  WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  return full;
}

std::string TempFolder::MakeFolder(const std::string& name) const {
  const std::string full = Child(name);
  if (!CreateDirectoryW(WidePath(full).c_str(), nullptr)) throw std::runtime_error("cannot create " + full);
  return full;
}

std::string TempFolder::MakeSparseFile(const std::string& name, std::uint64_t size) const {
  const std::string full = Child(name);
  core::UniqueFileHandle file(
      CreateFileW(WidePath(full).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw std::runtime_error("cannot create " + full);
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(size);
  if (!SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) || !SetEndOfFile(file.get()))
    throw std::runtime_error("cannot size " + full);
  return full;
}

void RemoveTree(const std::string& path) {
  const std::wstring wide = WidePath(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesW(wide.c_str(), attributes & FILE_ATTRIBUTE_DIRECTORY ? FILE_ATTRIBUTE_DIRECTORY
                                                                         : FILE_ATTRIBUTE_NORMAL);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    DeleteFileW(wide.c_str());
    return;
  }
  WIN32_FIND_DATAW entry;
  core::UniqueFindHandle search(FindFirstFileW((wide + L"\\*").c_str(), &entry));
  if (search) {
    do {
      const std::wstring name = entry.cFileName;
      if (name != L"." && name != L"..") RemoveTree(path + "\\" + core::WideToUtf8(name));
    } while (FindNextFileW(search.get(), &entry));
  }
  search.reset();
  RemoveDirectoryW(wide.c_str());
}

}  // namespace testing_support
