#pragma once

#include <windows.h>

namespace core {

// The file-system calls the stamp operations make, behind one narrow seam so that tests can
// record what is asked of the platform and make a single call fail. The default forwards
// each call to the ANSI (UTF-8) Win32 function of the same purpose.
class FileApi {
 public:
  virtual ~FileApi() = default;
  virtual HANDLE OpenFile(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags);
  virtual BOOL QueryTimes(HANDLE file, FILETIME* creation, FILETIME* access, FILETIME* write);
  virtual BOOL SetTimes(HANDLE file, const FILETIME* creation, const FILETIME* access, const FILETIME* write);
  virtual DWORD QueryAttributes(const char* path);
  virtual BOOL SetAttributes(const char* path, DWORD attributes);
  virtual HANDLE FindFirst(const char* pattern, WIN32_FIND_DATAA* data);
};

// The API the stamp operations use now.
FileApi& CurrentFileApi();

// Installs another FileApi for its own lifetime (tests only).
class ScopedFileApi {
 public:
  explicit ScopedFileApi(FileApi& replacement);
  ~ScopedFileApi();
  ScopedFileApi(const ScopedFileApi&) = delete;
  ScopedFileApi& operator=(const ScopedFileApi&) = delete;

 private:
  FileApi* previous_;
};

}  // namespace core
