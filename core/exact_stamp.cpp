#include "core/exact_stamp.h"

#include "core/file_api.h"
#include "core/file_time_convert.h"
#include "core/system_error.h"
#include "core/win_handles.h"

namespace core {
namespace {

// Times and flags need attribute access only. Attribute access is not subject to other
// programs' share modes, and a read-only file grants it.
constexpr DWORD kAttributeAccess = FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Folders open only with backup semantics; a link is opened itself, never its target.
constexpr DWORD kOpenItself = FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT;

// The platform reads a time of 0 as "leave this time" and all ones as "stop updating it":
// neither can be written as a time.
bool IsWritableTime(const std::optional<std::uint64_t>& ticks) {
  return !ticks || (*ticks != 0 && *ticks != ~std::uint64_t{0});
}

LARGE_INTEGER TimeOrKeep(const std::optional<std::uint64_t>& ticks) {
  LARGE_INTEGER value;
  value.QuadPart = static_cast<LONGLONG>(ticks.value_or(0));
  return value;
}

}  // namespace

DWORD MergeFlags(DWORD word, AttributeSet flags) {
  const DWORD merged = (word & ~DWORD(kWriteMask) & ~DWORD(FILE_ATTRIBUTE_NORMAL)) | (DWORD(flags) & kWriteMask);
  // "No attributes" is written as NORMAL: a zero word would mean "leave the attributes".
  return merged ? merged : FILE_ATTRIBUTE_NORMAL;
}

ExactRead ReadExactStamp(const std::string& path) {
  if (path.empty()) return {std::nullopt, ERROR_PATH_NOT_FOUND};
  return ReadExactStampAt(PlatformPath(path));
}

ExactRead ReadExactStampAt(const std::wstring& platformPath) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (platformPath.empty() || !CurrentFileApi().QueryAttributes(platformPath.c_str(), &data))
    return {std::nullopt, platformPath.empty() ? ERROR_PATH_NOT_FOUND : LastErrorOr(ERROR_FILE_NOT_FOUND)};
  PathState stamp;
  stamp.creation = ToTicks(data.ftCreationTime);
  stamp.modification = ToTicks(data.ftLastWriteTime);
  stamp.access = ToTicks(data.ftLastAccessTime);
  stamp.attributes = data.dwFileAttributes;
  stamp.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return {stamp, 0};
}

DWORD WriteStamp(const std::string& path, const StampChange& change) {
  if (path.empty()) return ERROR_PATH_NOT_FOUND;
  return WriteStampAt(PlatformPath(path), change);
}

DWORD WriteStampAt(const std::wstring& platformPath, const StampChange& change) {
  if (!IsWritableTime(change.creation) || !IsWritableTime(change.modification) || !IsWritableTime(change.access))
    return ERROR_INVALID_PARAMETER;
  if (platformPath.empty()) return ERROR_PATH_NOT_FOUND;
  FileApi& api = CurrentFileApi();
  const UniqueFileHandle file(
      api.OpenFile(platformPath.c_str(), kAttributeAccess, kShareAll, OPEN_EXISTING, kOpenItself));
  if (!file) return LastErrorOr(ERROR_ACCESS_DENIED);

  FILE_BASIC_INFO info{};  // zero everywhere: leave that part as it is
  if (change.flags) {
    // The word is merged from what the open path holds now, so a bit another program set
    // since this path was listed (archive after a write, a sync tool's pinned state) stays.
    FILE_BASIC_INFO now{};
    if (!api.QueryBasicInfo(file.get(), &now)) return LastErrorOr(ERROR_ACCESS_DENIED);
    const DWORD merged = MergeFlags(now.FileAttributes, static_cast<AttributeSet>(*change.flags));
    if (merged != now.FileAttributes) info.FileAttributes = merged;
  }
  info.CreationTime = TimeOrKeep(change.creation);
  info.LastWriteTime = TimeOrKeep(change.modification);
  info.LastAccessTime = TimeOrKeep(change.access);
  if (!info.FileAttributes && !change.creation && !change.modification && !change.access) return 0;  // holds it already

  // Times and word in one call: it either lands whole or not at all, and no crash or kill can
  // leave the path with new flags and old times.
  if (!api.SetBasicInfo(file.get(), info)) return LastErrorOr(ERROR_ACCESS_DENIED);
  return 0;
}

}  // namespace core
