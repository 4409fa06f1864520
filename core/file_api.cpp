#include "core/file_api.h"

namespace core {
namespace {

FileApi& DefaultFileApi() {
  static FileApi api;
  return api;
}

FileApi* g_current = nullptr;

}  // namespace

HANDLE FileApi::OpenFile(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  return ::CreateFileA(path, access, share, nullptr, disposition, flags, nullptr);
}
BOOL FileApi::QueryTimes(HANDLE file, FILETIME* creation, FILETIME* access, FILETIME* write) {
  return ::GetFileTime(file, creation, access, write);
}
BOOL FileApi::SetTimes(HANDLE file, const FILETIME* creation, const FILETIME* access, const FILETIME* write) {
  return ::SetFileTime(file, creation, access, write);
}
DWORD FileApi::QueryAttributes(const char* path) { return ::GetFileAttributesA(path); }
BOOL FileApi::SetAttributes(const char* path, DWORD attributes) { return ::SetFileAttributesA(path, attributes); }
HANDLE FileApi::FindFirst(const char* pattern, WIN32_FIND_DATAA* data) { return ::FindFirstFileA(pattern, data); }

FileApi& CurrentFileApi() { return g_current ? *g_current : DefaultFileApi(); }

ScopedFileApi::ScopedFileApi(FileApi& replacement) : previous_(g_current) { g_current = &replacement; }
ScopedFileApi::~ScopedFileApi() { g_current = previous_; }

}  // namespace core
