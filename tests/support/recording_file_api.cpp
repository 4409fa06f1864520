#include "tests/support/recording_file_api.h"

#include <cstdint>
#include <utility>

#include "core/text_encoding.h"

namespace testing_support {

namespace {

RecordingFileApi::Call MakeCall(RecordingFileApi::Op op, const wchar_t* path = nullptr) {
  RecordingFileApi::Call call;
  call.op = op;
  if (path) call.path = core::WideToUtf8(path);
  return call;
}

// A basic-info time as the call record keeps it: none for 0, which leaves the time alone.
std::optional<FILETIME> TimeOf(const LARGE_INTEGER& time) {
  if (time.QuadPart == 0) return std::nullopt;
  const auto ticks = static_cast<std::uint64_t>(time.QuadPart);
  return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}

}  // namespace

std::string PlatformForm(const std::string& path) { return core::WideToUtf8(core::PlatformPath(path)); }

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
  const bool refused = refuseAll_ || (!refusedPath_.empty() && call.path == refusedPath_);
  calls_.push_back(std::move(call));
  const int count = ++counts_[op];
  const auto chosen = failAt_.find(op);
  if (!refused && (chosen == failAt_.end() || chosen->second != count)) return false;
  SetLastError(ERROR_ACCESS_DENIED);
  return true;
}

RecordingFileApi::Call RecordingFileApi::OnHandle(Op op, HANDLE file) const {
  Call call = MakeCall(op);
  const auto opened = openPaths_.find(file);
  if (opened != openPaths_.end()) call.path = opened->second;
  return call;
}

HANDLE RecordingFileApi::OpenFile(const wchar_t* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  Call call = MakeCall(Op::OpenFile, path);
  call.access = access;
  call.share = share;
  call.disposition = disposition;
  call.flags = flags;
  const std::string opened = call.path;
  if (RecordAndCheckFailure(std::move(call))) return INVALID_HANDLE_VALUE;
  if (beforeNextOpen_) std::exchange(beforeNextOpen_, nullptr)();
  const HANDLE file = FileApi::OpenFile(path, access, share, disposition, flags);
  if (file != INVALID_HANDLE_VALUE) openPaths_[file] = opened;
  return file;
}

BOOL RecordingFileApi::QueryTimes(HANDLE file, FILETIME* creation, FILETIME* access, FILETIME* write) {
  if (RecordAndCheckFailure(OnHandle(Op::QueryTimes, file))) return FALSE;
  return FileApi::QueryTimes(file, creation, access, write);
}

BOOL RecordingFileApi::QueryAttributes(const wchar_t* path, WIN32_FILE_ATTRIBUTE_DATA* data) {
  if (RecordAndCheckFailure(MakeCall(Op::QueryAttributes, path))) return FALSE;
  const BOOL found = FileApi::QueryAttributes(path, data);
  if (attributeAnswer_) {
    if (!found) *data = {};
    data->dwFileAttributes = *attributeAnswer_;
    return TRUE;
  }
  return found;
}

BOOL RecordingFileApi::QueryBasicInfo(HANDLE file, FILE_BASIC_INFO* info) {
  if (RecordAndCheckFailure(OnHandle(Op::QueryBasicInfo, file))) return FALSE;
  if (!FileApi::QueryBasicInfo(file, info)) return FALSE;
  if (attributeAnswer_) info->FileAttributes = *attributeAnswer_;
  return TRUE;
}

BOOL RecordingFileApi::SetBasicInfo(HANDLE file, const FILE_BASIC_INFO& info) {
  Call call = OnHandle(Op::SetBasicInfo, file);
  call.attributes = info.FileAttributes;
  call.creation = TimeOf(info.CreationTime);
  call.lastAccess = TimeOf(info.LastAccessTime);
  call.lastWrite = TimeOf(info.LastWriteTime);
  if (RecordAndCheckFailure(std::move(call))) return FALSE;
  return FileApi::SetBasicInfo(file, info);
}

HANDLE RecordingFileApi::FindFirst(const wchar_t* pattern, WIN32_FIND_DATAW* data) {
  if (RecordAndCheckFailure(MakeCall(Op::FindFirst, pattern))) return INVALID_HANDLE_VALUE;
  return FileApi::FindFirst(pattern, data);
}

BOOL RecordingFileApi::FindNext(HANDLE search, WIN32_FIND_DATAW* data) {
  if (RecordAndCheckFailure(MakeCall(Op::FindNext))) return FALSE;
  return FileApi::FindNext(search, data);
}

BOOL RecordingFileApi::ReadBytes(HANDLE file, void* buffer, DWORD size, DWORD* read) {
  if (RecordAndCheckFailure(OnHandle(Op::ReadBytes, file))) return FALSE;
  return FileApi::ReadBytes(file, buffer, size, read);
}

BOOL RecordingFileApi::WriteBytes(HANDLE file, const void* bytes, DWORD size, DWORD* written) {
  if (RecordAndCheckFailure(OnHandle(Op::WriteBytes, file))) return FALSE;
  return FileApi::WriteBytes(file, bytes, size, written);
}

BOOL RecordingFileApi::FlushFile(HANDLE file) {
  if (RecordAndCheckFailure(OnHandle(Op::FlushFile, file))) return FALSE;
  return FileApi::FlushFile(file);
}

BOOL RecordingFileApi::QueryFileSystemName(const wchar_t* path, wchar_t* name, DWORD nameSize) {
  if (RecordAndCheckFailure(MakeCall(Op::QueryFileSystemName, path))) return FALSE;
  if (!fileSystemAnswer_) return FileApi::QueryFileSystemName(path, name, nameSize);
  if (fileSystemAnswer_->size() >= nameSize) return FALSE;
  fileSystemAnswer_->copy(name, fileSystemAnswer_->size());
  name[fileSystemAnswer_->size()] = L'\0';
  return TRUE;
}

const char* OpName(RecordingFileApi::Op op) {
  switch (op) {
    case RecordingFileApi::Op::OpenFile:
      return "OpenFile";
    case RecordingFileApi::Op::QueryTimes:
      return "QueryTimes";
    case RecordingFileApi::Op::QueryBasicInfo:
      return "QueryBasicInfo";
    case RecordingFileApi::Op::SetBasicInfo:
      return "SetBasicInfo";
    case RecordingFileApi::Op::QueryAttributes:
      return "QueryAttributes";
    case RecordingFileApi::Op::FindFirst:
      return "FindFirst";
    case RecordingFileApi::Op::FindNext:
      return "FindNext";
    case RecordingFileApi::Op::ReadBytes:
      return "ReadBytes";
    case RecordingFileApi::Op::WriteBytes:
      return "WriteBytes";
    case RecordingFileApi::Op::FlushFile:
      return "FlushFile";
    case RecordingFileApi::Op::QueryFileSystemName:
      return "QueryFileSystemName";
  }
  return "?";
}

}  // namespace testing_support
