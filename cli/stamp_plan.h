#pragma once

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include "cli/arguments.h"
#include "cli/attrib_spec.h"
#include "cli/journal.h"
#include "cli/path_state.h"
#include "cli/path_dates.h"
#include "cli/result.h"
#include "cli/time_precision.h"
#include "cli/when.h"

namespace cli {

// Where one time's new value comes from: nowhere (it stays), one UTC instant for every path,
// or a WHEN that depends on the path's own times (a Shift or a TimeOf).
using TimeSource = std::variant<std::monostate, Ticks, When>;

// set's command with everything that is the same for every path worked out once.
struct SetRequest {
  TimeSource creation;
  TimeSource modification;
  TimeSource access;
  std::optional<AttribSpec> attrib;
  const TimeSource& Get(TimeSlot slot) const;
};

// Local times, instants and `now` become instants here, and a time not given takes the
// --like file's (`like`, when there is one). Fails for the whole command when a local time
// has no UTC instant.
Result<SetRequest> MakeSetRequest(const Command& command, const std::optional<PathState>& like, Ticks nowUtc,
                                  const LocalToUtc& localToUtc);

// The change set makes to a path that holds `before` (and carries `dates`, for taken and name).
// Fails when a value cannot be written to it: it leaves 1601..30827, or it is tick 0, which
// the platform reads as "leave unchanged"; or the path has no such date of its own.
Result<PlannedChange> PlanSet(const SetRequest& request, const PathState& before, const PathDates& dates = {});

// Whether any time of the request comes from the path's date taken, or its name.
bool UsesDate(const SetRequest& request, DateOrigin origin);

// Where a path's dates used by the request came from, one text each ("taken: EXIF ...").
std::vector<std::string> DateSources(const SetRequest& request, const PathDates& dates);

// The change that puts back what a journal line recorded over a path that holds `now`: the
// parts set wrote, as they were before. A line of version 1, which does not say what was
// written, puts back all three times (0, a time the file system did not have, is left alone)
// and the four flags.
PlannedChange PlanUndo(const JournalEntry& entry, const PathState& now);

// The parts of a change; the order in which reports name them.
enum class StampPart { Created, Modified, Accessed, Flags };
// "created", "modified", "accessed", "flags".
std::string_view StampPartName(StampPart part);

// The parts of a written change that the path, read back as `after`, does not hold: a time
// further from the written value than the file system's precision, or other flags.
std::vector<StampPart> FindNotKept(const PlannedChange& change, const PathState& after, const TimePrecision& precision);

// The parts of a journal line's written change that the path, now holding `now`, no longer
// holds: neither what set wrote (within the precision) nor what it held before. Empty for a
// line of version 1, which does not say what was written.
std::vector<StampPart> FindChangedSince(const JournalEntry& entry, const PathState& now,
                                        const TimePrecision& precision);

}  // namespace cli
