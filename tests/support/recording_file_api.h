#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/file_api.h"

namespace testing_support {

// A FileApi that forwards to the real file system, records every call with its arguments,
// and can make chosen calls fail. Installed as the current API for its own lifetime.
class RecordingFileApi : public core::FileApi {
 public:
  enum class Op {
    OpenFile,
    QueryTimes,
    QueryAttributes,
    QueryBasicInfo,
    SetBasicInfo,
    FindFirst,
    FindNext,
    ReadBytes,
    WriteBytes,
    FlushFile,
    QueryFileSystemName
  };

  struct Call {
    Op op = Op::OpenFile;
    // The path as the platform got it (UTF-8 of the extended form); for calls on a handle, the
    // path that handle was opened with.
    std::string path;
    DWORD access = 0, share = 0, disposition = 0, flags = 0;  // OpenFile
    // SetBasicInfo: the word (0: left as it is) and the times, nullopt for a time left as it is.
    DWORD attributes = 0;
    std::optional<FILETIME> creation, lastAccess, lastWrite;
  };

  RecordingFileApi();

  // The occurrence-th call (1-based) of op fails without reaching the platform, with
  // ERROR_ACCESS_DENIED as its error.
  void Fail(Op op, int occurrence = 1) { failAt_[op] = occurrence; }
  // Every call fails without reaching the platform (for rows that must never be touched).
  void RefuseEverything() { refuseAll_ = true; }
  // Calls on this path (in its platform form) fail without reaching the platform.
  void RefusePath(std::string platformPath) { refusedPath_ = std::move(platformPath); }
  // QueryAttributes and QueryBasicInfo answer this word (with the real times and size) instead
  // of the real one.
  void AnswerAttributes(DWORD attributes) { attributeAnswer_ = attributes; }
  // Runs once, just before the next OpenFile reaches the platform: another program changing
  // the path between a read and a write.
  void BeforeNextOpen(std::function<void()> action) { beforeNextOpen_ = std::move(action); }
  // QueryFileSystemName answers this name (a volume this machine does not have).
  void AnswerFileSystemName(std::wstring name) { fileSystemAnswer_ = std::move(name); }

  const std::vector<Call>& calls() const { return calls_; }
  std::vector<Op> Ops() const;
  std::vector<Call> CallsOf(Op op) const;

  HANDLE OpenFile(const wchar_t* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) override;
  BOOL QueryTimes(HANDLE file, FILETIME* creation, FILETIME* access, FILETIME* write) override;
  BOOL QueryAttributes(const wchar_t* path, WIN32_FILE_ATTRIBUTE_DATA* data) override;
  BOOL QueryBasicInfo(HANDLE file, FILE_BASIC_INFO* info) override;
  BOOL SetBasicInfo(HANDLE file, const FILE_BASIC_INFO& info) override;
  HANDLE FindFirst(const wchar_t* pattern, WIN32_FIND_DATAW* data) override;
  BOOL FindNext(HANDLE search, WIN32_FIND_DATAW* data) override;
  BOOL ReadBytes(HANDLE file, void* buffer, DWORD size, DWORD* read) override;
  BOOL WriteBytes(HANDLE file, const void* bytes, DWORD size, DWORD* written) override;
  BOOL FlushFile(HANDLE file) override;
  BOOL QueryFileSystemName(const wchar_t* path, wchar_t* name, DWORD nameSize) override;

 private:
  // Records the call and tells whether it is the one chosen to fail.
  bool RecordAndCheckFailure(Call call);
  Call OnHandle(Op op, HANDLE file) const;

  std::vector<Call> calls_;
  std::map<Op, int> failAt_;
  std::map<Op, int> counts_;
  std::map<HANDLE, std::string> openPaths_;
  std::optional<DWORD> attributeAnswer_;
  std::function<void()> beforeNextOpen_;
  bool refuseAll_ = false;
  std::string refusedPath_;
  std::optional<std::wstring> fileSystemAnswer_;
  core::ScopedFileApi scope_;
};

const char* OpName(RecordingFileApi::Op op);
inline void PrintTo(RecordingFileApi::Op op, std::ostream* out) { *out << OpName(op); }

// The UTF-8 form of what the platform gets for a path (its extended \\?\ form).
std::string PlatformForm(const std::string& path);

}  // namespace testing_support
