#pragma once

#include <cstdint>
#include <optional>

#include "cli/attrib_spec.h"
#include "cli/when.h"

namespace cli {

// A path's three times (UTC ticks, exactly as the platform reports them) and its whole
// attribute word.
struct PathState {
  std::uint64_t created = 0;
  std::uint64_t modified = 0;
  std::uint64_t accessed = 0;
  AttributeWord attributes = 0;
  std::uint64_t Get(TimeSlot slot) const { return SlotField(*this, slot); }
  friend bool operator==(const PathState&, const PathState&) = default;
};

// What to write to one path: only the parts that differ from what it holds. `flags` is the
// four flags as a whole set (within kFlagMask); the platform keeps every other bit.
struct PlannedChange {
  std::optional<std::uint64_t> created;
  std::optional<std::uint64_t> modified;
  std::optional<std::uint64_t> accessed;
  std::optional<AttributeWord> flags;
  std::optional<std::uint64_t> Get(TimeSlot slot) const { return SlotField(*this, slot); }
  bool empty() const { return !created && !modified && !accessed && !flags; }
  friend bool operator==(const PlannedChange&, const PlannedChange&) = default;
};

}  // namespace cli
