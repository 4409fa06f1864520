#include "core/exact_stamp.h"

#include "core/file_api.h"
#include "core/file_time_convert.h"
#include "core/win_handles.h"

namespace core {
namespace {

// Times and flags need attribute access only. Attribute access is not subject to other
// programs' share modes, and a read-only file grants it.
constexpr DWORD kAttributeAccess = FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Folders open only with backup semantics; a link is opened itself, never its target.
constexpr DWORD kOpenItself = FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT;

// SetFileTime reads 0 as "leave this time" and all ones as "stop updating it": neither can be
// written as a time.
bool IsWritableTime(const std::optional<std::uint64_t>& ticks) {
  return !ticks || (*ticks != 0 && *ticks != ~std::uint64_t{0});
}

DWORD LastErrorOr(DWORD fallback) {
  const DWORD error = GetLastError();
  return error ? error : fallback;
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
  ExactStamp stamp;
  stamp.creation = ToTicks(data.ftCreationTime);
  stamp.access = ToTicks(data.ftLastAccessTime);
  stamp.write = ToTicks(data.ftLastWriteTime);
  stamp.attributes = data.dwFileAttributes;
  stamp.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return {stamp, 0};
}

WIN32_FILE_ATTRIBUTE_DATA ToAttributeData(const ExactStamp& stamp) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  data.dwFileAttributes = stamp.attributes;
  data.ftCreationTime = FromTicks(stamp.creation);
  data.ftLastAccessTime = FromTicks(stamp.access);
  data.ftLastWriteTime = FromTicks(stamp.write);
  data.nFileSizeHigh = static_cast<DWORD>(stamp.size >> 32);
  data.nFileSizeLow = static_cast<DWORD>(stamp.size & 0xFFFFFFFFu);
  return data;
}

DWORD WriteStamp(const std::string& path, const StampChange& change) {
  if (path.empty()) return ERROR_PATH_NOT_FOUND;
  const std::wstring platformPath = PlatformPath(path);
  WIN32_FILE_ATTRIBUTE_DATA current;
  if (!CurrentFileApi().QueryAttributes(platformPath.c_str(), &current)) return LastErrorOr(ERROR_FILE_NOT_FOUND);
  return WriteStampOver(platformPath, current, change);
}

DWORD WriteStampOver(const std::wstring& platformPath, const WIN32_FILE_ATTRIBUTE_DATA& current,
                     const StampChange& change) {
  if (!IsWritableTime(change.creation) || !IsWritableTime(change.access) || !IsWritableTime(change.write))
    return ERROR_INVALID_PARAMETER;
  FileApi& api = CurrentFileApi();
  const UniqueFileHandle file(api.OpenFile(platformPath.c_str(), kAttributeAccess, kShareAll, OPEN_EXISTING, kOpenItself));
  if (!file) return LastErrorOr(ERROR_ACCESS_DENIED);

  // Flags first, then times; when the times fail the flags go back, so a failure of either
  // write leaves the path as it was.
  const DWORD before = current.dwFileAttributes;
  const DWORD after = change.flags ? MergeFlags(before, *change.flags) : before;
  const bool flagsChanged = after != before;
  if (flagsChanged && !api.SetAttributes(file.get(), after)) return LastErrorOr(ERROR_ACCESS_DENIED);

  if (change.creation || change.access || change.write) {
    const FILETIME creation = FromTicks(change.creation.value_or(0));
    const FILETIME access = FromTicks(change.access.value_or(0));
    const FILETIME write = FromTicks(change.write.value_or(0));
    // A null pointer leaves that time exactly as it is.
    if (!api.SetTimes(file.get(), change.creation ? &creation : nullptr, change.access ? &access : nullptr,
                      change.write ? &write : nullptr)) {
      const DWORD error = LastErrorOr(ERROR_ACCESS_DENIED);
      if (flagsChanged) api.SetAttributes(file.get(), before);
      return error;
    }
  }
  return 0;
}

}  // namespace core
