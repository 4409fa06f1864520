#include "cli/local_instant.h"

#include <algorithm>
#include <vector>

namespace cli {

Result<Ticks> LocalToUtcByOffsets(const CivilTime& local, const OffsetAt& offsetAt) {
  const Ticks wall = TicksFromCivil(local);
  std::vector<Ticks> instants;
  bool inRange = false;
  // Offsets change at most twice a year, so the two sides of any change near this date are
  // the offsets a day either way.
  for (const Ticks probe : {wall - kTicksPerDay, wall + kTicksPerDay}) {
    const Ticks offset = offsetAt(probe);
    const Ticks utc = wall - offset;
    if (utc < 0 || utc > kMaxTicks) continue;
    inRange = true;
    if (offsetAt(utc) == offset && std::find(instants.begin(), instants.end(), utc) == instants.end()) {
      instants.push_back(utc);
    }
  }
  const std::string shown = "the local time " + FormatShortTime(wall);
  if (!inRange) return Error{shown + " has no UTC instant"};
  if (instants.empty()) {
    return Error{shown +
                 " does not exist here (the clocks skip it): add an offset (+HH:MM) or Z to say which "
                 "instant is meant"};
  }
  if (instants.size() > 1) {
    std::sort(instants.begin(), instants.end());
    return Error{shown + " occurs twice here, as " + FormatIso8601(wall, wall - instants[0]) + " and " +
                 FormatIso8601(wall, wall - instants[1]) + ": add the offset (or Z) of the one meant"};
  }
  return instants.front();
}

}  // namespace cli
