#pragma once

#include "cli/result.h"
#include "cli/time_ticks.h"
#include "cli/when.h"

namespace cli {

// The one UTC instant a local wall-clock time names, found from the zone's offsets alone:
// each offset in force a day before and a day after is tried, and kept when converting back
// by it gives the same wall-clock time. Fails, asking for an offset or Z, for a time the
// clocks skip (none fits: a spring-forward gap) or show twice (both fit: the repeated hour,
// named by its two instants), and for one outside the platform's range.
Result<Ticks> LocalToUtcByOffsets(const CivilTime& local, const OffsetAt& offsetAt);

}  // namespace cli
