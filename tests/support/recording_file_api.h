#pragma once

#include <windows.h>

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
  enum class Op { OpenFile, QueryTimes, SetTimes, QueryAttributes, SetAttributes, FindFirst };

  struct Call {
    Op op = Op::OpenFile;
    std::string path;                                         // OpenFile, QueryAttributes, SetAttributes, FindFirst
    DWORD access = 0, share = 0, disposition = 0, flags = 0;  // OpenFile
    DWORD attributes = 0;                                     // SetAttributes
    // SetTimes: the values passed, in the call's own order; nullopt for a null pointer.
    std::optional<FILETIME> creation, lastAccess, lastWrite;
  };

  RecordingFileApi();

  // The occurrence-th call (1-based) of op fails without reaching the platform, with
  // ERROR_ACCESS_DENIED as its error.
  void Fail(Op op, int occurrence = 1) { failAt_[op] = occurrence; }
  // QueryAttributes answers this word instead of asking the platform.
  void AnswerAttributes(DWORD attributes) { attributeAnswer_ = attributes; }

  const std::vector<Call>& calls() const { return calls_; }
  std::vector<Op> Ops() const;
  std::vector<Call> CallsOf(Op op) const;

  HANDLE OpenFile(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) override;
  BOOL QueryTimes(HANDLE file, FILETIME* creation, FILETIME* access, FILETIME* write) override;
  BOOL SetTimes(HANDLE file, const FILETIME* creation, const FILETIME* access, const FILETIME* write) override;
  DWORD QueryAttributes(const char* path) override;
  BOOL SetAttributes(const char* path, DWORD attributes) override;
  HANDLE FindFirst(const char* pattern, WIN32_FIND_DATAA* data) override;

 private:
  // Records the call and tells whether it is the one chosen to fail.
  bool RecordAndCheckFailure(Call call);

  std::vector<Call> calls_;
  std::map<Op, int> failAt_;
  std::map<Op, int> counts_;
  std::optional<DWORD> attributeAnswer_;
  core::ScopedFileApi scope_;
};

const char* OpName(RecordingFileApi::Op op);
inline void PrintTo(RecordingFileApi::Op op, std::ostream* out) { *out << OpName(op); }

}  // namespace testing_support
