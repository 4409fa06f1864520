#pragma once

#include "cli/change_report.h"
#include "cli/result.h"
#include "cli/time_ticks.h"
#include "cli/when.h"

namespace cli {

// The platform's side of fstamp's time arithmetic.

// The current time, UTC ticks, read once per command.
Ticks NowUtc();

// A local wall-clock time -> UTC by the daylight-saving rule of its own date; fails for a time
// in a spring-forward gap or in the repeated hour (see LocalToUtcByOffsets).
Result<Ticks> LocalToUtcByPlatform(const CivilTime& local);

// The offset (local minus UTC) in force at a UTC instant; 0 where the platform has none.
Ticks OffsetByPlatform(Ticks utc);

}  // namespace cli
