// The floor of `fstamp set -m now -r FOLDER`: a bare loop of the wide calls that work cannot do
// without, with nothing else around them. The folder is listed recursively (entries before
// their folder) and each path gets the query of what it holds, the open for attribute access,
// SetFileTime, the close and the query that reads the result back. tools/bench times this
// program and fstamp.exe as whole processes and prints the ratio. With --read-header each
// file's first 64 KiB are read as well before its stamp, the floor of `set -m taken`.
//
// Usage: apply_floor [--read-header] <folder>
// Prints paths=<number stamped> and failed=<number that failed>.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

constexpr DWORD kHeaderBytes = 64 * 1024;

struct Counts {
  unsigned long paths = 0;
  unsigned long failed = 0;
};

bool readHeaders = false;

// The header bytes a date reader needs: one read at the start of the file.
bool ReadHeader(const std::wstring& path) {
  static char buffer[kHeaderBytes];
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD read = 0;
  const BOOL ok = ReadFile(file, buffer, kHeaderBytes, &read, nullptr);
  CloseHandle(file);
  return ok;
}

void Stamp(const std::wstring& path, const FILETIME& now, Counts& counts) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
    ++counts.failed;
    return;
  }
  if (readHeaders && !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !ReadHeader(path)) {
    ++counts.failed;
    return;
  }
  const HANDLE file = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, kShareAll, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    ++counts.failed;
    return;
  }
  const BOOL set = SetFileTime(file, nullptr, nullptr, &now);
  CloseHandle(file);
  if (!set || !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
    ++counts.failed;
    return;
  }
  ++counts.paths;
}

void StampTree(const std::wstring& folder, const FILETIME& now, Counts& counts) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                         nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      const DWORD attributes = found.dwFileAttributes;
      if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        StampTree(path, now, counts);
      } else {
        Stamp(path, now, counts);
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  Stamp(folder, now, counts);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  readHeaders = argc == 3 && std::wstring(argv[1]) == L"--read-header";
  if (argc != 2 + (readHeaders ? 1 : 0)) {
    std::fputs("usage: apply_floor [--read-header] <folder>\n", stderr);
    return 2;
  }
  wchar_t full[32768];
  const DWORD length = GetFullPathNameW(argv[argc - 1], 32768, full, nullptr);
  if (length == 0 || length >= 32768) return 2;
  std::wstring folder = L"\\\\?\\" + std::wstring(full, length);
  while (folder.size() > 4 && folder.back() == L'\\') folder.pop_back();
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  Counts counts;
  StampTree(folder, now, counts);
  std::printf("paths=%lu\nfailed=%lu\n", counts.paths, counts.failed);
  return counts.failed == 0 ? 0 : 1;
}
