#include "cli/platform_time.h"

#include <windows.h>

#include "core/file_time_convert.h"

namespace cli {

Ticks NowUtc() {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  return static_cast<Ticks>(core::ToTicks(now));
}

Result<Ticks> LocalToUtcByPlatform(const CivilTime& local) {
  const auto utc = core::LocalTicksToUtc(static_cast<std::uint64_t>(TicksFromCivil(local)));
  if (!utc) return Error{"the local time " + FormatShortTime(TicksFromCivil(local)) + " has no UTC instant"};
  return static_cast<Ticks>(core::ToTicks(*utc));
}

Ticks OffsetByPlatform(Ticks utc) {
  if (utc < 0) return 0;
  const auto offset = core::LocalOffsetAt(core::FromTicks(static_cast<std::uint64_t>(utc)));
  return offset ? *offset : 0;
}

}  // namespace cli
