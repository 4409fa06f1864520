#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "core/local_date_time.h"

namespace core {

// A file time as one number: 100-ns ticks since 1601-01-01 UTC.
inline std::uint64_t ToTicks(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}
inline FILETIME FromTicks(std::uint64_t ticks) {
  return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}

// The platform's calendar record and back; weekday and milliseconds are zero, and reading
// clamps every field into LocalDateTime's range.
SYSTEMTIME ToSystemTime(const LocalDateTime& value);
LocalDateTime FromSystemTime(const SYSTEMTIME& fields);

// UTC file time -> local wall-clock time, with the daylight-saving rule of that instant's own
// year (not today's offset, nor today's rule). Truncated to the second; a local year past
// 9999 reads as 9999.
std::optional<LocalDateTime> FileTimeToLocal(const FILETIME& utc);

// Local wall-clock time -> UTC file time, again with the rule of that date. Fails for times
// the platform cannot represent (before 1601-01-01).
std::optional<FILETIME> LocalToFileTime(const LocalDateTime& local);

// The same two conversions to the 100 ns: the offset (local minus UTC, in ticks) in force at
// a UTC instant, and a local time given in ticks since 1601 -> UTC.
std::optional<std::int64_t> LocalOffsetAt(const FILETIME& utc);
std::optional<FILETIME> LocalTicksToUtc(std::uint64_t localTicks);

}  // namespace core
