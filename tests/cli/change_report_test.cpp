#include "cli/change_report.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

const Ticks kNoon = TicksFromCivil({2024, 5, 1, 12, 0, 0});
// Eight hours ahead of UTC in May, one hour ahead otherwise: each instant gets its own offset.
const OffsetAt kOffsets = [](Ticks utc) {
  const CivilTime civil = CivilFromTicks(utc);
  return civil.month == 5 ? 8 * kTicksPerHour : kTicksPerHour;
};

TEST(FormatDryRun, ListsOldAndNewOfEachPartThatWouldChangeWithEachInstantsOwnOffset) {
  const PathState before{0, static_cast<std::uint64_t>(kNoon), 0, kArchive};
  const PlannedChange change{std::nullopt, kNoon + 31 * kTicksPerDay + 1, std::nullopt, kReadOnly};
  EXPECT_EQ(FormatDryRun("照片\\a.jpg", before, change, kOffsets),
            "照片\\a.jpg\n"
            "  modified  2024-05-01T20:00:00.0000000+08:00 -> 2024-06-01T13:00:00.0000001+01:00\n"
            "  flags     A -> R\n");
}

TEST(FormatDryRun, SaysSoWhenNothingWouldChange) {
  EXPECT_EQ(FormatDryRun("a\tb", PathState{}, PlannedChange{}, kOffsets), "a?b\n  nothing to change\n");
}

TEST(FormatNotKept, NamesEachLostPartWithWhatWasWrittenAndWhatIsThere) {
  const PlannedChange change{static_cast<std::uint64_t>(kNoon), std::nullopt, std::nullopt, AttributeWord{0}};
  const PathState after{static_cast<std::uint64_t>(kNoon + kTicksPerSecond), 0, 0, kArchive | 0x10};
  EXPECT_EQ(FormatNotKept({StampPart::Created, StampPart::Flags}, change, after, kOffsets),
            "not kept by the file system: created (wrote 2024-05-01T20:00:00.0000000+08:00, reads "
            "2024-05-01T20:00:01.0000000+08:00), flags (wrote none, reads A)");
}

}  // namespace
}  // namespace cli
