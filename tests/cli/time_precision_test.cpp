#include "cli/time_precision.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

constexpr Ticks kMs = kTicksPerSecond / 1000;

TEST(PrecisionOfFileSystem, EachKnownFileSystemInAnyCaseKeepsItsOwnSteps) {
  const struct {
    const char* name;
    TimePrecision expected;
  } cases[] = {
      {"NTFS", {1, 1, 1}},
      {"ReFS", {1, 1, 1}},
      {"FAT", {10 * kMs, 2 * kTicksPerSecond, kTicksPerDay}},
      {"fat32", {10 * kMs, 2 * kTicksPerSecond, kTicksPerDay}},
      {"EXFAT", {10 * kMs, 10 * kMs, 2 * kTicksPerSecond}},
      {"FAT12", {10 * kMs, 2 * kTicksPerSecond, kTicksPerDay}},
      {"FAT16", {10 * kMs, 2 * kTicksPerSecond, kTicksPerDay}},
      {"FAT32", {10 * kMs, 2 * kTicksPerSecond, kTicksPerDay}},
      {"exFAT", {10 * kMs, 10 * kMs, 2 * kTicksPerSecond}},
      {"UDF", {10, 10, 10}},
  };
  for (const auto& c : cases) EXPECT_EQ(PrecisionOfFileSystem(c.name), c.expected) << c.name;
}

TEST(PrecisionOfFileSystem, AnUnknownOrMissingNameIsHeldToTheExactValue) {
  for (const char* name : {"", "ext4", "CDFS", "FAT33", "NTFS "}) {
    EXPECT_EQ(PrecisionOfFileSystem(name), (TimePrecision{1, 1, 1})) << "'" << name << "'";
  }
}

TEST(KeptWithin, AValueCountsAsKeptOnlyCloserThanThePrecisionEitherWay) {
  const struct {
    std::uint64_t written;
    std::uint64_t read;
    Ticks precision;
    bool kept;
  } cases[] = {
      {1000, 1000, 1, true},
      {1000, 1001, 1, false},
      {1000, 999, 1, false},
      {4 * kTicksPerSecond + 1, 4 * kTicksPerSecond, 2 * kTicksPerSecond, true},
      {5 * kTicksPerSecond - 1, 4 * kTicksPerSecond, 2 * kTicksPerSecond, true},
      {5 * kTicksPerSecond, 7 * kTicksPerSecond - 1, 2 * kTicksPerSecond, true},
      {5 * kTicksPerSecond, 7 * kTicksPerSecond, 2 * kTicksPerSecond, false},
      {3 * kTicksPerDay - 1, 2 * kTicksPerDay, kTicksPerDay, true},
      {~std::uint64_t{0}, 0, kTicksPerDay, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KeptWithin(c.written, c.read, c.precision), c.kept) << c.written << " " << c.read << " " << c.precision;
  }
}

}  // namespace
}  // namespace cli
