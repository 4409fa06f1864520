// libFuzzer target: ParseWhen must never crash, and whatever it accepts must be in range and
// come back unchanged when written out in full and read again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "cli/when.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::string FullLocalText(const cli::CivilTime& c) {
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%07d", c.year, c.month, c.day, c.hour, c.minute,
                c.second, static_cast<int>(c.fraction));
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto when = cli::ParseWhen(text);
  if (!when) {
    Check(!when.error().empty());
    return 0;
  }

  if (const auto* local = std::get_if<cli::LocalTime>(&*when)) {
    Check(!cli::FindCivilTimeError(local->civil).has_value());
    const cli::Ticks ticks = cli::TicksFromCivil(local->civil);
    Check(ticks >= 0 && ticks <= cli::kMaxTicks);
    Check(cli::CivilFromTicks(ticks) == local->civil);
    const auto again = cli::ParseWhen(FullLocalText(local->civil));
    Check(again.has_value() && *again == *when);
  } else if (const auto* instant = std::get_if<cli::Instant>(&*when)) {
    Check(instant->utc >= 0 && instant->utc <= cli::kMaxTicks);
    const auto again = cli::ParseWhen(cli::FormatIso8601(instant->utc, 0));
    Check(again.has_value() && *again == *when);
  } else if (const auto* shift = std::get_if<cli::Shift>(&*when)) {
    Check(shift->delta >= -cli::kMaxTicks && shift->delta <= cli::kMaxTicks);
  }

  // Resolving against both ends of the range must stay in range or fail, never overflow.
  const auto toUtc = [](const cli::CivilTime& civil) -> cli::Result<cli::Ticks> { return cli::TicksFromCivil(civil); };
  for (const cli::Ticks current : {cli::Ticks{0}, cli::kMaxTicks / 2, cli::kMaxTicks}) {
    const cli::SlotTimes before{current, current, current};
    const auto resolved = cli::ResolveWhen(*when, cli::TimeSlot::Modified, before, current, toUtc);
    if (resolved) Check(*resolved >= 0 && *resolved <= cli::kMaxTicks);
  }
  return 0;
}
