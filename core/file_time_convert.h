#pragma once

#include <windows.h>

#include <optional>

#include "core/local_date_time.h"

namespace core {

// The platform's calendar record and back; weekday and milliseconds are zero, and reading
// clamps every field into LocalDateTime's range.
SYSTEMTIME ToSystemTime(const LocalDateTime& value);
LocalDateTime FromSystemTime(const SYSTEMTIME& fields);

// UTC file time -> local wall-clock time, with the daylight-saving rule in force at that
// instant (not today's offset). Truncated to the second; a local year past 9999 reads as 9999.
std::optional<LocalDateTime> FileTimeToLocal(const FILETIME& utc);

// Local wall-clock time -> UTC file time, again with the rule of that date. Fails for times
// the platform cannot represent (before 1601-01-01).
std::optional<FILETIME> LocalToFileTime(const LocalDateTime& local);

}  // namespace core
