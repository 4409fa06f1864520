#include "tests/support/recording_file_api.h"

namespace testing_support {

namespace {

RecordingFileApi::Call MakeCall(RecordingFileApi::Op op, const char* path = nullptr) {
  RecordingFileApi::Call call;
  call.op = op;
  if (path) call.path = path;
  return call;
}

std::optional<FILETIME> Copy(const FILETIME* time) {
  if (!time) return std::nullopt;
  return *time;
}

}  // namespace

RecordingFileApi::RecordingFileApi() : scope_(*this) {}

std::vector<RecordingFileApi::Op> RecordingFileApi::Ops() const {
  std::vector<Op> ops;
  for (const Call& call : calls_) ops.push_back(call.op);
  return ops;
}

std::vector<RecordingFileApi::Call> RecordingFileApi::CallsOf(Op op) const {
  std::vector<Call> matching;
  for (const Call& call : calls_)
    if (call.op == op) matching.push_back(call);
  return matching;
}

bool RecordingFileApi::RecordAndCheckFailure(Call call) {
  const Op op = call.op;
  calls_.push_back(std::move(call));
  const int count = ++counts_[op];
  const auto chosen = failAt_.find(op);
  if (chosen == failAt_.end() || chosen->second != count) return false;
  SetLastError(ERROR_ACCESS_DENIED);
  return true;
}

HANDLE RecordingFileApi::OpenFile(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  Call call = MakeCall(Op::OpenFile, path);
  call.access = access;
  call.share = share;
  call.disposition = disposition;
  call.flags = flags;
  if (RecordAndCheckFailure(std::move(call))) return INVALID_HANDLE_VALUE;
  return FileApi::OpenFile(path, access, share, disposition, flags);
}

BOOL RecordingFileApi::QueryTimes(HANDLE file, FILETIME* creation, FILETIME* access, FILETIME* write) {
  if (RecordAndCheckFailure(MakeCall(Op::QueryTimes))) return FALSE;
  return FileApi::QueryTimes(file, creation, access, write);
}

BOOL RecordingFileApi::SetTimes(HANDLE file, const FILETIME* creation, const FILETIME* access, const FILETIME* write) {
  Call call = MakeCall(Op::SetTimes);
  call.creation = Copy(creation);
  call.lastAccess = Copy(access);
  call.lastWrite = Copy(write);
  if (RecordAndCheckFailure(std::move(call))) return FALSE;
  return FileApi::SetTimes(file, creation, access, write);
}

DWORD RecordingFileApi::QueryAttributes(const char* path) {
  if (RecordAndCheckFailure(MakeCall(Op::QueryAttributes, path))) return INVALID_FILE_ATTRIBUTES;
  if (attributeAnswer_) return *attributeAnswer_;
  return FileApi::QueryAttributes(path);
}

BOOL RecordingFileApi::SetAttributes(const char* path, DWORD attributes) {
  Call call = MakeCall(Op::SetAttributes, path);
  call.attributes = attributes;
  if (RecordAndCheckFailure(std::move(call))) return FALSE;
  return FileApi::SetAttributes(path, attributes);
}

HANDLE RecordingFileApi::FindFirst(const char* pattern, WIN32_FIND_DATAA* data) {
  if (RecordAndCheckFailure(MakeCall(Op::FindFirst, pattern))) return INVALID_HANDLE_VALUE;
  return FileApi::FindFirst(pattern, data);
}

const char* OpName(RecordingFileApi::Op op) {
  switch (op) {
    case RecordingFileApi::Op::OpenFile:
      return "OpenFile";
    case RecordingFileApi::Op::QueryTimes:
      return "QueryTimes";
    case RecordingFileApi::Op::SetTimes:
      return "SetTimes";
    case RecordingFileApi::Op::QueryAttributes:
      return "QueryAttributes";
    case RecordingFileApi::Op::SetAttributes:
      return "SetAttributes";
    case RecordingFileApi::Op::FindFirst:
      return "FindFirst";
  }
  return "?";
}

}  // namespace testing_support
