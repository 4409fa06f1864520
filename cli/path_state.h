#pragma once

#include <cstdint>
#include <optional>

#include "cli/attrib_spec.h"
#include "cli/when.h"
#include "core/path_state.h"

namespace cli {

// A path's exact state, as both programs hold it.
using core::PathState;

// One of its three times.
inline std::uint64_t TimeIn(const PathState& state, TimeSlot slot) { return SlotField(state, slot); }

// What to write to one path: only the parts that differ from what it holds. `flags` is the
// four flags as a whole set (within kFlagMask); the platform keeps every other bit.
struct PlannedChange {
  std::optional<std::uint64_t> creation;
  std::optional<std::uint64_t> modification;
  std::optional<std::uint64_t> access;
  std::optional<AttributeWord> flags;
  std::optional<std::uint64_t> Get(TimeSlot slot) const { return SlotField(*this, slot); }
  bool empty() const { return !creation && !modification && !access && !flags; }
  friend bool operator==(const PlannedChange&, const PlannedChange&) = default;
};

}  // namespace cli
