#include "cli/platform_time.h"

#include <windows.h>

#include "cli/local_instant.h"
#include "core/file_time_convert.h"

namespace cli {

Ticks NowUtc() {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  return static_cast<Ticks>(core::ToTicks(now));
}

Result<Ticks> LocalToUtcByPlatform(const CivilTime& local) {
  // TzSpecificLocalTimeToSystemTime picks an instant even for a time in a gap or in the
  // repeated hour; the offsets tell those apart.
  return LocalToUtcByOffsets(local, OffsetByPlatform);
}

Ticks OffsetByPlatform(Ticks utc) {
  if (utc < 0) return 0;
  const auto offset = core::LocalOffsetAt(core::FromTicks(static_cast<std::uint64_t>(utc)));
  return offset ? *offset : 0;
}

}  // namespace cli
