#pragma once

#include <functional>
#include <string_view>
#include <variant>

#include "cli/result.h"
#include "cli/time_ticks.h"
#include "core/path_state.h"

namespace cli {

using core::TimeSlot;

// "created", "modified" or "accessed".
std::string_view TimeSlotName(TimeSlot slot);

// A wall-clock time without an offset: the platform turns it into UTC by the daylight-saving
// rule of its own date. The fields have passed FindCivilTimeError.
struct LocalTime {
  CivilTime civil;
  friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

// An exact instant, given with Z or an offset; 0..kMaxTicks.
struct Instant {
  Ticks utc = 0;
  friend bool operator==(const Instant&, const Instant&) = default;
};

// The moment the command runs (one reading for the whole command).
struct Now {
  friend bool operator==(const Now&, const Now&) = default;
};

// A signed amount added to the path's own current value of the time being set.
struct Shift {
  Ticks delta = 0;
  friend bool operator==(const Shift&, const Shift&) = default;
};

// Another of the path's own times, as it was before the command.
struct TimeOf {
  TimeSlot slot = TimeSlot::Created;
  friend bool operator==(const TimeOf&, const TimeOf&) = default;
};

// Where a path's own date comes from: what its content says it was taken, or its name.
enum class DateOrigin { Taken, Name };

// The path's own date (read per path), plus a shift for a camera clock that was off.
struct DateOf {
  DateOrigin origin = DateOrigin::Taken;
  Ticks shift = 0;
  friend bool operator==(const DateOf&, const DateOf&) = default;
};

using When = std::variant<LocalTime, Instant, Now, Shift, TimeOf, DateOf>;

// Reads one WHEN:
//   YYYY-MM-DD | YYYY-MM-DD{T| }HH:MM | YYYY-MM-DD{T| }HH:MM:SS[.f]   -> LocalTime
//   any of the forms with a time, followed by Z or +HH:MM / -HH:MM      -> Instant
//   now                                                                  -> Now
//   +1d, -2h30m, +90s: a sign, then number-unit groups, units d h m s     -> Shift
//     each unit at most once, from days down to seconds
//   created | modified | accessed                                        -> TimeOf
//   taken | name, each optionally followed by a shift (taken+2h)          -> DateOf
// Fields have exactly their digits (month "05", not "5"); the year has four digits, or five
// for 10000..30827. The fraction has 1 to 7 digits (100 ns is the platform's resolution, so
// an eighth digit is an error rather than silently dropped). Keywords, T and Z take any case;
// units are lowercase only (an "M" could be read as months). Nothing else is accepted, not
// even a blank around the value; the error names the problem.
Result<When> ParseWhen(std::string_view text);

using core::SlotField;

// The times of one path before the command, UTC.
struct SlotTimes {
  Ticks creation = 0;
  Ticks modification = 0;
  Ticks access = 0;
  Ticks Get(TimeSlot slot) const;
};

// Turns a local wall-clock time into UTC by the platform's rule for that date, or fails.
using LocalToUtc = std::function<Result<Ticks>(const CivilTime&)>;

// The offset (local minus UTC) in force at a UTC instant, by the platform's rule for it.
using OffsetAt = std::function<Ticks(Ticks utc)>;

// The UTC value a WHEN gives for `slot` of a path whose times were `before`: a shift adds to
// before.Get(slot). Fails when the result leaves 0..kMaxTicks or localToUtc fails, and for a
// DateOf, which only the path's own date resolves (see PlanSet).
Result<Ticks> ResolveWhen(const When& when, TimeSlot slot, const SlotTimes& before, Ticks nowUtc,
                          const LocalToUtc& localToUtc);

}  // namespace cli
