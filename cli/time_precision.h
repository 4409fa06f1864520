#pragma once

#include <cstdint>
#include <string_view>

#include "cli/time_ticks.h"
#include "cli/when.h"

namespace cli {

// How finely a file system keeps each of the three times: a value read back less than this
// away from the one written was kept. 1 tick (100 ns) means exactly.
struct TimePrecision {
  Ticks creation = 1;
  Ticks modification = 1;
  Ticks access = 1;
  Ticks Get(TimeSlot slot) const;
  friend bool operator==(const TimePrecision&, const TimePrecision&) = default;
};

// The precision of a file system, by the name its volume reports (any case):
//   NTFS, ReFS                       100 ns for all three
//   FAT, FAT12, FAT16, FAT32         creation 10 ms, modification 2 s, access 1 day (a date)
//   exFAT                            creation and modification 10 ms, access 2 s
//   UDF                              1 us
// Any other name, or none, is held to 100 ns: a time that is not read back as written is
// reported rather than assumed rounded.
TimePrecision PrecisionOfFileSystem(std::string_view name);

// Whether `read` is what a file system of that precision keeps of `written`.
bool KeptWithin(std::uint64_t written, std::uint64_t read, Ticks precision);

}  // namespace cli
