#include "cli/local_instant.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

Ticks At(int year, int month, int day, int hour, int minute) {
  return TicksFromCivil({year, month, day, hour, minute});
}

// A zone with a standard offset and one hour more between two UTC instants of 2024.
OffsetAt Zone(Ticks standard, Ticks daylightFrom, Ticks daylightUntil) {
  return [=](Ticks utc) { return utc >= daylightFrom && utc < daylightUntil ? standard + kTicksPerHour : standard; };
}

// New York: -05:00, and -04:00 from 2024-03-10 02:00 local to 2024-11-03 02:00 local.
const OffsetAt kNewYork = Zone(-5 * kTicksPerHour, At(2024, 3, 10, 7, 0), At(2024, 11, 3, 6, 0));
// Berlin: +01:00, and +02:00 from 2024-03-31 02:00 local to 2024-10-27 03:00 local.
const OffsetAt kBerlin = Zone(kTicksPerHour, At(2024, 3, 31, 1, 0), At(2024, 10, 27, 1, 0));

TEST(LocalToUtcByOffsets, ATimeThatOccursOnceHasItsOneInstant) {
  const struct {
    const OffsetAt* zone;
    CivilTime local;
    Ticks utc;
  } cases[] = {
      {&kNewYork, {2024, 7, 1, 12, 0}, At(2024, 7, 1, 16, 0)},
      {&kNewYork, {2024, 3, 10, 1, 59, 59}, At(2024, 3, 10, 6, 59) + 59 * kTicksPerSecond},
      {&kNewYork, {2024, 3, 10, 3, 0}, At(2024, 3, 10, 7, 0)},
      {&kNewYork, {2024, 11, 3, 0, 59}, At(2024, 11, 3, 4, 59)},
      {&kNewYork, {2024, 11, 3, 2, 0}, At(2024, 11, 3, 7, 0)},
      {&kBerlin, {2024, 1, 15, 12, 0}, At(2024, 1, 15, 11, 0)},
      {&kBerlin, {2024, 10, 27, 3, 0}, At(2024, 10, 27, 2, 0)},
  };
  for (const auto& c : cases) {
    const auto utc = LocalToUtcByOffsets(c.local, *c.zone);
    ASSERT_TRUE(utc.has_value()) << utc.error();
    EXPECT_EQ(*utc, c.utc) << FormatShortTime(TicksFromCivil(c.local));
  }
}

TEST(LocalToUtcByOffsets, ATimeTheClocksSkipIsRefused) {
  for (const auto& [zone, local] :
       {std::pair{&kNewYork, CivilTime{2024, 3, 10, 2, 30}}, std::pair{&kBerlin, CivilTime{2024, 3, 31, 2, 0}}}) {
    const auto utc = LocalToUtcByOffsets(local, *zone);
    EXPECT_FALSE(utc.has_value()) << FormatShortTime(*utc);
  }
}

TEST(LocalToUtcByOffsets, ARepeatedTimeIsRefusedNamingBothInstants) {
  const struct {
    const OffsetAt* zone;
    CivilTime local;
    Ticks offsets[2];
  } cases[] = {
      {&kNewYork, {2024, 11, 3, 1, 30}, {-4 * kTicksPerHour, -5 * kTicksPerHour}},
      {&kBerlin, {2024, 10, 27, 2, 59}, {2 * kTicksPerHour, kTicksPerHour}},
  };
  for (const auto& c : cases) {
    const auto utc = LocalToUtcByOffsets(c.local, *c.zone);
    ASSERT_FALSE(utc.has_value()) << FormatShortTime(*utc);
    for (const Ticks offset : c.offsets) {
      const std::string instant = FormatIso8601(TicksFromCivil(c.local), offset);
      EXPECT_NE(utc.error().find(instant), std::string::npos) << utc.error();
    }
  }
}

TEST(LocalToUtcByOffsets, ATimeBeforeTheFirstInstantHasNone) {
  EXPECT_FALSE(LocalToUtcByOffsets({1601, 1, 1, 0, 30}, kBerlin).has_value());
}

}  // namespace
}  // namespace cli
