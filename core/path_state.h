#pragma once

#include <cstdint>

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

}  // namespace core
