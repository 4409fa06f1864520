#pragma once

#include <cstdint>
#include <optional>

namespace core {

// The exact state of a path as the file system holds it: the three times to the 100 ns, the
// whole attribute word (every bit) and the size. Both programs read, list, record and compare
// paths in these terms.
struct PathState {
  std::uint64_t creation = 0;  // 100-ns ticks since 1601-01-01 UTC
  std::uint64_t modification = 0;
  std::uint64_t access = 0;
  std::uint32_t attributes = 0;
  std::uint64_t size = 0;
  friend bool operator==(const PathState&, const PathState&) = default;
};

// The three times of a path.
enum class TimeSlot { Created, Modified, Accessed };

// The member of a record with creation, modification and access members that a slot names.
template <typename Record>
auto& SlotField(Record& record, TimeSlot slot) {
  switch (slot) {
    case TimeSlot::Created:
      return record.creation;
    case TimeSlot::Modified:
      return record.modification;
    case TimeSlot::Accessed:
      break;
  }
  return record.access;
}

// What to write to one path: only the parts that differ from what it holds. `flags` is the
// four flags (read-only, hidden, system, archive) as a whole set; the platform keeps every
// other bit.
struct PathChange {
  std::optional<std::uint64_t> creation;
  std::optional<std::uint64_t> modification;
  std::optional<std::uint64_t> access;
  std::optional<std::uint32_t> flags;
  std::optional<std::uint64_t> Get(TimeSlot slot) const { return SlotField(*this, slot); }
  bool empty() const { return !creation && !modification && !access && !flags; }
  friend bool operator==(const PathChange&, const PathChange&) = default;
};

}  // namespace core
