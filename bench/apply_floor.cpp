// The floor of `fstamp set -m now -r FOLDER`: a bare loop of the wide calls that work cannot do
// without, with nothing else around them. The folder is listed recursively (entries before
// their folder) and each path gets the query of what it holds, the open for attribute access,
// SetFileTime, the close and the query that reads the result back. tools/bench times this
// program and fstamp.exe as whole processes and prints the ratio.
//
// Usage: apply_floor <folder>
// Prints paths=<number stamped> and failed=<number that failed>.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

struct Counts {
  unsigned long paths = 0;
  unsigned long failed = 0;
};

void Stamp(const std::wstring& path, const FILETIME& now, Counts& counts) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
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
  if (argc != 2) {
    std::fputs("usage: apply_floor <folder>\n", stderr);
    return 2;
  }
  wchar_t full[32768];
  const DWORD length = GetFullPathNameW(argv[1], 32768, full, nullptr);
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
