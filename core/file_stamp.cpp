#include "core/file_stamp.h"

#include <windows.h>
// shlwapi.h needs windows.h before it.
#include <shlwapi.h>

#include "core/digit_grouping.h"
#include "core/exact_stamp.h"
#include "core/file_api.h"
#include "core/file_time_convert.h"
#include "core/win_handles.h"

namespace core {
namespace {

// The directory search behind ReadFileSize and PathExists; the handle is closed on return.
std::optional<WIN32_FIND_DATAW> FindFirstEntry(const std::string& path) {
  if (path.empty()) return std::nullopt;
  WIN32_FIND_DATAW entry;
  const UniqueFindHandle search(CurrentFileApi().FindFirst(PlatformPath(path).c_str(), &entry));
  if (!search) return std::nullopt;
  return entry;
}

std::optional<WIN32_FILE_ATTRIBUTE_DATA> QueryRecord(const std::wstring& platformPath) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!CurrentFileApi().QueryAttributes(platformPath.c_str(), &data)) return std::nullopt;
  return data;
}

}  // namespace

FileSize ReadFileSize(const std::string& path) {
  const auto entry = FindFirstEntry(path);
  if (!entry) return {};
  return {true, (static_cast<std::uint64_t>(entry->nFileSizeHigh) << 32) | entry->nFileSizeLow};
}

std::string FormatByteSize(std::uint64_t size) {
  char text[100] = {};
  // Sizes of 2^63 bytes and more do not occur; below that the signed parameter holds the value.
  if (!::StrFormatByteSize64A(static_cast<LONGLONG>(size), text, sizeof text)) return {};
  return text;
}

std::string FormatSizeText(std::uint64_t size) { return FormatByteSize(size) + " (" + GroupDigits(size) + " 字节)"; }

AttributeSet ReadAttributes(const std::string& path) {
  if (path.empty()) return KeepAttributes;
  const auto record = QueryRecord(PlatformPath(path));
  if (!record) return KeepAttributes;
  return static_cast<AttributeSet>(record->dwFileAttributes & kReadMask);
}

bool WriteAttributes(const std::string& path, AttributeSet value) {
  StampChange change;
  change.flags = static_cast<std::uint32_t>(value);
  return WriteStamp(path, change) == 0;
}

bool PathExists(const std::string& path) { return FindFirstEntry(path).has_value(); }

std::optional<FileTimes> ReadFileTimes(const std::string& path) {
  if (path.empty()) return std::nullopt;
  FileApi& api = CurrentFileApi();
  // Attribute access only: another program's share mode does not keep it out. Without backup
  // semantics a folder does not open, so folders yield no times here.
  const UniqueFileHandle file(api.OpenFile(PlatformPath(path).c_str(), FILE_READ_ATTRIBUTES,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                                           FILE_FLAG_OPEN_REPARSE_POINT));
  if (!file) return std::nullopt;
  FILETIME creation, access, write;
  if (!api.QueryTimes(file.get(), &creation, &access, &write)) return std::nullopt;
  return FileTimes{FileTimeToLocal(creation), FileTimeToLocal(write), FileTimeToLocal(access)};
}

FileStamp ReadFileStamp(const std::string& path) {
  FileStamp stamp;
  stamp.path = path;
  const FileSize size = ReadFileSize(path);
  stamp.sizeFound = size.found;
  stamp.size = size.bytes;
  if (const auto times = ReadFileTimes(path)) {
    stamp.timesRead = true;
    stamp.times = *times;
  }
  const AttributeSet attributes = ReadAttributes(path);
  if (attributes != KeepAttributes) {
    stamp.attributesRead = true;
    stamp.attributes = attributes;
    stamp.isDirectory = (attributes & kDirectory) != 0;
  }
  return stamp;
}

bool ApplyFileStamp(const std::string& path, const LocalDateTime& creation, const LocalDateTime& modification,
                    const LocalDateTime& access, AttributeSet attributes) {
  const auto plan = PlanFileStamp(path, creation, modification, access, attributes);
  return plan && ApplyStampPlan(*plan);
}

std::optional<StampPlan> PlanFileStamp(const std::string& path, const LocalDateTime& creation,
                                       const LocalDateTime& modification, const LocalDateTime& access,
                                       AttributeSet attributes) {
  if (path.empty()) return std::nullopt;
  StampPlan plan;
  plan.platformPath = PlatformPath(path);
  const ExactRead current = ReadExactStampAt(plan.platformPath);
  if (!current.stamp) return std::nullopt;
  plan.before = *current.stamp;

  // A given time that still reads as the path's current one (to the second) is a time nobody
  // changed: it is not written, so it keeps its instant to the 100 ns (in the hour repeated
  // when daylight saving ends too). Any other is converted; a time the platform cannot
  // convert (before 1601) refuses the whole call before anything is touched.
  bool convertible = true;
  const auto planned = [&convertible](const LocalDateTime& given, std::uint64_t now) -> std::optional<std::uint64_t> {
    if (IsKeepTime(given) || FileTimeToLocal(FromTicks(now)) == given) return std::nullopt;
    const auto utc = LocalToFileTime(given);
    if (!utc) convertible = false;
    return utc ? std::optional(ToTicks(*utc)) : std::nullopt;
  };
  plan.change.creation = planned(creation, plan.before.creation);
  plan.change.modification = planned(modification, plan.before.modification);
  plan.change.access = planned(access, plan.before.access);
  if (!convertible) return std::nullopt;
  if (attributes != KeepAttributes) plan.change.flags = static_cast<std::uint32_t>(attributes & kWriteMask);
  return plan;
}

bool StampPlan::ChangesPath() const {
  return change.creation || change.modification || change.access ||
         (change.flags && *change.flags != (before.attributes & kWriteMask));
}

bool ApplyStampPlan(const StampPlan& plan) { return WriteStampAt(plan.platformPath, plan.change) == 0; }

}  // namespace core
