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

// What to write to one path.
using PlannedChange = core::PathChange;

}  // namespace cli
