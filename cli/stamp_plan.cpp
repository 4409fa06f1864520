#include "cli/stamp_plan.h"

namespace cli {
namespace {

constexpr TimeSlot kSlots[] = {TimeSlot::Created, TimeSlot::Modified, TimeSlot::Accessed};

// Times a WHEN can be worked out from without knowing the path.
bool IsSameForEveryPath(const When& when) {
  return std::holds_alternative<LocalTime>(when) || std::holds_alternative<Instant>(when) ||
         std::holds_alternative<Now>(when);
}

SlotTimes SlotTimesOf(const PathState& state) {
  return {static_cast<Ticks>(state.creation), static_cast<Ticks>(state.modification), static_cast<Ticks>(state.access)};
}

// The path's own date plus the shift after it, or why there is none.
Result<Ticks> ResolveDateOf(const DateOf& date, const PathDates& dates) {
  const PathDate& own = dates.Get(date.origin);
  if (!own.utc)
    return Error{own.missing.empty() ? std::string(DateOriginName(date.origin)) + ": not read" : own.missing};
  if (date.shift < -*own.utc || date.shift > kMaxTicks - *own.utc) {
    return Error{own.source + ": shifted, it falls outside 1601..30827"};
  }
  return *own.utc + date.shift;
}

const DateOf* DateOfSource(const TimeSource& source) {
  const When* when = std::get_if<When>(&source);
  return when ? std::get_if<DateOf>(when) : nullptr;
}

}  // namespace

const TimeSource& SetRequest::Get(TimeSlot slot) const {
  return SlotField(*this, slot);
}

Result<SetRequest> MakeSetRequest(const Command& command, const std::optional<PathState>& like, Ticks nowUtc,
                                  const LocalToUtc& localToUtc) {
  SetRequest request;
  request.attrib = command.attrib;
  for (const TimeSlot slot : kSlots) {
    const std::optional<When>& when = SlotField(command, slot);
    TimeSource& source = SlotField(request, slot);
    if (!when) {
      if (like) source = static_cast<Ticks>(TimeIn(*like, slot));
      continue;
    }
    if (!IsSameForEveryPath(*when)) {
      source = *when;
      continue;
    }
    auto utc = ResolveWhen(*when, slot, SlotTimes{}, nowUtc, localToUtc);
    if (!utc) return Error{"the " + std::string(TimeSlotName(slot)) + " time: " + utc.error()};
    source = *utc;
  }
  return request;
}

bool UsesDate(const SetRequest& request, DateOrigin origin) {
  for (const TimeSlot slot : kSlots) {
    const DateOf* date = DateOfSource(request.Get(slot));
    if (date && date->origin == origin) return true;
  }
  return false;
}

std::vector<std::string> DateSources(const SetRequest& request, const PathDates& dates) {
  std::vector<std::string> sources;
  for (const DateOrigin origin : {DateOrigin::Taken, DateOrigin::Name}) {
    if (UsesDate(request, origin) && dates.Get(origin).utc) sources.push_back(dates.Get(origin).source);
  }
  return sources;
}

Result<PlannedChange> PlanSet(const SetRequest& request, const PathState& before, const PathDates& dates) {
  PlannedChange change;
  for (const TimeSlot slot : kSlots) {
    const TimeSource& source = request.Get(slot);
    if (std::holds_alternative<std::monostate>(source)) continue;
    Ticks value = 0;
    if (const Ticks* fixed = std::get_if<Ticks>(&source)) {
      value = *fixed;
    } else if (const DateOf* date = DateOfSource(source)) {
      if (dates.Get(date->origin).keep) continue;
      auto resolved = ResolveDateOf(*date, dates);
      if (!resolved) return Error{resolved.error()};
      value = *resolved;
    } else {
      auto resolved = ResolveWhen(std::get<When>(source), slot, SlotTimesOf(before), 0, {});
      if (!resolved) return Error{resolved.error()};
      value = *resolved;
    }
    if (value <= 0 || value > kMaxTicks) {
      return Error{"the " + std::string(TimeSlotName(slot)) +
                   (value == 0 ? " time would be 1601-01-01 00:00:00 UTC, which the platform reads as \"leave it\""
                               : " time falls outside 1601..30827")};
    }
    if (static_cast<std::uint64_t>(value) != TimeIn(before, slot)) SlotField(change, slot) = static_cast<std::uint64_t>(value);
  }
  if (request.attrib) {
    const AttributeWord flags = ApplyAttribSpec(*request.attrib, before.attributes) & kFlagMask;
    if (flags != (before.attributes & kFlagMask)) change.flags = flags;
  }
  return change;
}

PlannedChange PlanUndo(const JournalEntry& entry, const PathState& now) {
  PlannedChange change;
  for (const TimeSlot slot : kSlots) {
    const std::uint64_t value = TimeIn(entry.before, slot);
    const bool written = !entry.written || entry.written->Get(slot);
    if (written && value != 0 && value != TimeIn(now, slot)) SlotField(change, slot) = value;
  }
  const AttributeWord flags = entry.before.attributes & kFlagMask;
  const bool written = !entry.written || entry.written->flags;
  if (written && flags != (now.attributes & kFlagMask)) change.flags = flags;
  return change;
}

static_assert(static_cast<int>(StampPart::Accessed) == static_cast<int>(TimeSlot::Accessed));

std::string_view StampPartName(StampPart part) {
  // The three times are named as their slots are.
  return part == StampPart::Flags ? "flags" : TimeSlotName(static_cast<TimeSlot>(part));
}

std::vector<StampPart> FindNotKept(const PlannedChange& change, const PathState& after,
                                   const TimePrecision& precision) {
  std::vector<StampPart> lost;
  constexpr StampPart kParts[] = {StampPart::Created, StampPart::Modified, StampPart::Accessed};
  for (const TimeSlot slot : kSlots) {
    const auto written = change.Get(slot);
    if (written && !KeptWithin(*written, TimeIn(after, slot), precision.Get(slot))) {
      lost.push_back(kParts[static_cast<int>(slot)]);
    }
  }
  if (change.flags && (after.attributes & kFlagMask) != (*change.flags & kFlagMask)) lost.push_back(StampPart::Flags);
  return lost;
}

std::vector<StampPart> FindChangedSince(const JournalEntry& entry, const PathState& now,
                                        const TimePrecision& precision) {
  if (!entry.written) return {};
  std::vector<StampPart> changed;
  // A part that still holds its old value was never written (set failed there): nothing to undo.
  for (const StampPart part : FindNotKept(*entry.written, now, precision)) {
    const bool asBefore = part == StampPart::Flags
                              ? ((now.attributes ^ entry.before.attributes) & kFlagMask) == 0
                              : TimeIn(now, static_cast<TimeSlot>(part)) == TimeIn(entry.before, static_cast<TimeSlot>(part));
    if (!asBefore) changed.push_back(part);
  }
  return changed;
}

}  // namespace cli
