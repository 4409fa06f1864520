#include "core/file_api.h"

#include "core/extended_path.h"
#include "core/text_encoding.h"
#include "core/win_handles.h"

namespace core {
namespace {

FileApi& DefaultFileApi() {
  static FileApi api;
  return api;
}

FileApi* g_current = nullptr;

std::string CurrentFolder() {
  const DWORD size = GetCurrentDirectoryW(0, nullptr);
  if (size == 0) return {};
  std::wstring folder(size, L'\0');
  const DWORD length = GetCurrentDirectoryW(size, folder.data());
  folder.resize(length < size ? length : 0);
  return WideToUtf8(folder);
}

}  // namespace

HANDLE FileApi::OpenFile(const wchar_t* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  return ::CreateFileW(path, access, share, nullptr, disposition, flags, nullptr);
}
BOOL FileApi::QueryTimes(HANDLE file, FILETIME* creation, FILETIME* access, FILETIME* write) {
  return ::GetFileTime(file, creation, access, write);
}
BOOL FileApi::QueryAttributes(const wchar_t* path, WIN32_FILE_ATTRIBUTE_DATA* data) {
  return ::GetFileAttributesExW(path, GetFileExInfoStandard, data);
}
BOOL FileApi::QueryBasicInfo(HANDLE file, FILE_BASIC_INFO* info) {
  return ::GetFileInformationByHandleEx(file, FileBasicInfo, info, sizeof *info);
}
// Through the handle, so times and word land on exactly the object that was opened (a link
// itself, not its target), together: no moment holds new flags with old times.
BOOL FileApi::SetBasicInfo(HANDLE file, const FILE_BASIC_INFO& info) {
  FILE_BASIC_INFO copy = info;  // the call takes a non-const buffer
  return ::SetFileInformationByHandle(file, FileBasicInfo, &copy, sizeof copy);
}
// The basic record (no short names) fetched in large batches: the fastest way to list a folder.
HANDLE FileApi::FindFirst(const wchar_t* pattern, WIN32_FIND_DATAW* data) {
  return ::FindFirstFileExW(pattern, FindExInfoBasic, data, FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
}
BOOL FileApi::FindNext(HANDLE search, WIN32_FIND_DATAW* data) { return ::FindNextFileW(search, data); }
BOOL FileApi::ReadBytes(HANDLE file, void* buffer, DWORD size, DWORD* read) {
  return ::ReadFile(file, buffer, size, read, nullptr);
}
BOOL FileApi::ReadBytesAt(HANDLE file, std::uint64_t offset, void* buffer, DWORD size, DWORD* read) {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return ::ReadFile(file, buffer, size, read, &at);
}
BOOL FileApi::QuerySize(HANDLE file, std::uint64_t* size) {
  LARGE_INTEGER value{};
  if (!::GetFileSizeEx(file, &value)) return FALSE;
  *size = static_cast<std::uint64_t>(value.QuadPart);
  return TRUE;
}
BOOL FileApi::WriteBytes(HANDLE file, const void* bytes, DWORD size, DWORD* written) {
  return ::WriteFile(file, bytes, size, written, nullptr);
}
BOOL FileApi::FlushFile(HANDLE file) { return ::FlushFileBuffers(file); }
// Asked through a handle: asking by the volume's root makes Wine try to read the label from
// the block device and complain on stderr. The folder is followed if it is a link, since its
// entries live where it points.
BOOL FileApi::QueryFileSystemName(const wchar_t* path, wchar_t* name, DWORD nameSize) {
  std::wstring folder(path);
  if (folder.size() > 1 && folder.back() == L'\\' && folder[folder.size() - 2] != L':') folder.pop_back();
  const UniqueFileHandle file(::CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return file && ::GetVolumeInformationByHandleW(file.get(), nullptr, 0, nullptr, nullptr, nullptr, name, nameSize);
}

FileApi& CurrentFileApi() { return g_current ? *g_current : DefaultFileApi(); }

ScopedFileApi::ScopedFileApi(FileApi& replacement) : previous_(g_current) { g_current = &replacement; }
ScopedFileApi::~ScopedFileApi() { g_current = previous_; }

std::wstring PlatformPath(const std::string& path) { return Utf8ToWide(ExtendedPath(path, CurrentFolder())); }

}  // namespace core
