#pragma once

#include <optional>
#include <string>

#include "cli/found_date.h"
#include "cli/path_dates.h"
#include "cli/path_walk.h"
#include "cli/stamp_plan.h"

namespace cli {

// The date taken in the file at a platform path, from its headers only; nothing when it has
// none or cannot be read. Reading it leaves the file's access time as it was where the
// platform allows that.
std::optional<FoundDate> ReadTakenDate(const std::wstring& platformPath);

// The dates of one walked path that `request` uses. A folder has no date taken, and often
// none in its name: then its times stay (a folder of photos is not a failure).
PathDates ReadPathDates(const SetRequest& request, const WalkItem& item, Ticks nowUtc);

}  // namespace cli
