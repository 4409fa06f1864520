#include "core/file_stamp.h"

#include <windows.h>
// shlwapi.h needs windows.h before it.
#include <shlwapi.h>

#include <array>

#include "core/digit_grouping.h"
#include "core/file_api.h"
#include "core/file_time_convert.h"
#include "core/win_handles.h"

namespace core {
namespace {

// One second in file-time units (100 ns).
constexpr std::uint64_t kTicksPerSecond = 10'000'000;

std::uint64_t ToTicks(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME FromTicks(std::uint64_t ticks) {
  return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}

FILETIME TruncateToSecond(const FILETIME& time) {
  const std::uint64_t ticks = ToTicks(time);
  return FromTicks(ticks - ticks % kTicksPerSecond);
}

// The directory search behind ReadFileSize and PathExists; the handle is closed on return.
std::optional<WIN32_FIND_DATAA> FindFirstEntry(const std::string& path) {
  if (path.empty()) return std::nullopt;
  WIN32_FIND_DATAA entry;
  const UniqueFindHandle search(CurrentFileApi().FindFirst(path.c_str(), &entry));
  if (!search) return std::nullopt;
  return entry;
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
  const DWORD attributes = CurrentFileApi().QueryAttributes(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return KeepAttributes;
  return static_cast<AttributeSet>(attributes & kReadMask);
}

bool WriteAttributes(const std::string& path, AttributeSet value) {
  return CurrentFileApi().SetAttributes(path.c_str(), static_cast<DWORD>(value & kWriteMask)) != FALSE;
}

bool PathExists(const std::string& path) { return FindFirstEntry(path).has_value(); }

std::optional<FileTimes> ReadFileTimes(const std::string& path) {
  FileApi& api = CurrentFileApi();
  // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open, so folders yield no times here.
  const UniqueFileHandle file(
      api.OpenFile(path.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
  if (!file) return std::nullopt;
  FILETIME creation, access, write;
  if (!api.QueryTimes(file.get(), &creation, &access, &write)) return std::nullopt;
  const auto localCreation = FileTimeToLocal(creation);
  const auto localWrite = FileTimeToLocal(write);
  const auto localAccess = FileTimeToLocal(access);
  if (!localCreation || !localWrite || !localAccess) return std::nullopt;
  return FileTimes{*localCreation, *localWrite, *localAccess};
}

FileStamp ReadFileStamp(const std::string& path) {
  FileStamp stamp;
  stamp.path = path;
  const FileSize size = ReadFileSize(path);
  stamp.sizeFound = size.found;
  stamp.size = size.bytes;
  if (const auto times = ReadFileTimes(path)) {
    stamp.timesRead = true;
    stamp.creation = times->creation;
    stamp.modification = times->modification;
    stamp.access = times->access;
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
  FileApi& api = CurrentFileApi();

  // Slots in the order the time calls take them: creation, last access, last write.
  enum Slot { kCreation, kAccess, kWrite };
  const std::array<const LocalDateTime*, 3> given{&creation, &access, &modification};

  // A time the platform cannot convert (before 1601) would otherwise be written as some
  // arbitrary instant; refuse the whole call before anything is touched.
  std::array<FILETIME, 3> converted{};
  bool anyKept = false;
  for (int slot = kCreation; slot <= kWrite; ++slot) {
    if (IsKeepTime(*given[slot])) {
      anyKept = true;
      continue;
    }
    const auto utc = LocalToFileTime(*given[slot]);
    if (!utc) return false;
    converted[slot] = *utc;
  }

  const AttributeSet prior = ReadAttributes(path);
  if (prior == KeepAttributes) return false;

  // A read-only file cannot be opened for writing; the whole set is cleared and put back later.
  const bool cleared = (prior & kReadOnly) != 0;
  if (cleared && !WriteAttributes(path, 0)) return false;

  UniqueFileHandle file(api.OpenFile(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING,
                                     (prior & kDirectory) ? FILE_FLAG_BACKUP_SEMANTICS : FILE_ATTRIBUTE_NORMAL));
  const auto failureExit = [&] {
    file.reset();
    if (cleared) WriteAttributes(path, prior);
    return false;
  };
  if (!file) return failureExit();

  // The current times serve kept times (written back exactly, sub-seconds included) and a
  // given time that equals what the current one reads as: that one keeps its own instant to
  // the second, which re-converting cannot do in the hour repeated when daylight saving ends.
  std::array<FILETIME, 3> current{};
  const bool haveCurrent = api.QueryTimes(file.get(), &current[kCreation], &current[kAccess], &current[kWrite]);
  if (!haveCurrent && anyKept) return failureExit();

  std::array<FILETIME, 3> times{};
  for (int slot = kCreation; slot <= kWrite; ++slot) {
    if (IsKeepTime(*given[slot])) {
      times[slot] = current[slot];
    } else if (haveCurrent && FileTimeToLocal(current[slot]) == *given[slot]) {
      times[slot] = TruncateToSecond(current[slot]);
    } else {
      times[slot] = converted[slot];
    }
  }

  const bool written = api.SetTimes(file.get(), &times[kCreation], &times[kAccess], &times[kWrite]) != FALSE;
  if (!written) return failureExit();
  file.reset();

  // The result of the final attribute write does not change the outcome: the times are written.
  if (attributes != KeepAttributes) {
    WriteAttributes(path, attributes);
  } else if (cleared) {
    WriteAttributes(path, prior);
  }
  return true;
}

}  // namespace core
