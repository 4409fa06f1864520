#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace core {

// Every file-system call of the program, behind one narrow seam so that tests can record what
// is asked of the platform and make a single call fail. Paths arrive here in the form the
// platform gets them: UTF-16, extended (see PlatformPath). The default forwards each call to
// the wide Win32 function of the same purpose.
class FileApi {
 public:
  virtual ~FileApi() = default;
  virtual HANDLE OpenFile(const wchar_t* path, DWORD access, DWORD share, DWORD disposition, DWORD flags);
  virtual BOOL QueryTimes(HANDLE file, FILETIME* creation, FILETIME* access, FILETIME* write);
  // Attribute word, times and size of the path itself (a link is not followed).
  virtual BOOL QueryAttributes(const wchar_t* path, WIN32_FILE_ATTRIBUTE_DATA* data);
  // The times and attribute word of an open file, read through its handle (folders too).
  virtual BOOL QueryBasicInfo(HANDLE file, FILE_BASIC_INFO* info);
  // Times and attribute word of an open file in one call: a time of 0 and a word of 0 leave
  // that part as it is.
  virtual BOOL SetBasicInfo(HANDLE file, const FILE_BASIC_INFO& info);
  virtual HANDLE FindFirst(const wchar_t* pattern, WIN32_FIND_DATAW* data);
  virtual BOOL FindNext(HANDLE search, WIN32_FIND_DATAW* data);
  // Bytes of an open file, and writing its buffers through to the disk.
  virtual BOOL ReadBytes(HANDLE file, void* buffer, DWORD size, DWORD* read);
  // Bytes at an offset, and the size, of an open file (the date readers seek in headers).
  virtual BOOL ReadBytesAt(HANDLE file, std::uint64_t offset, void* buffer, DWORD size, DWORD* read);
  virtual BOOL QuerySize(HANDLE file, std::uint64_t* size);
  virtual BOOL WriteBytes(HANDLE file, const void* bytes, DWORD size, DWORD* written);
  virtual BOOL FlushFile(HANDLE file);
  // The name of the file system ("NTFS", "FAT32", ...) of the volume that holds the folder's
  // entries.
  virtual BOOL QueryFileSystemName(const wchar_t* path, wchar_t* name, DWORD nameSize);
};

// The API the core uses now.
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

// A UTF-8 path as the wide calls get it: made absolute against the current folder (which
// start-up sets to the program's folder) and given its extended \\?\ form, so that neither
// length nor Win32's renaming rules apply. The path a user sees never has this form.
std::wstring PlatformPath(const std::string& path);

}  // namespace core
