#include "cli/local_instant.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

Ticks At(int year, int month, int day, int hour, int minute) {
  return TicksFromCivil({year, month, day, hour, minute});
}

// A zone one hour ahead of its standard offset between two UTC instants of 2024.
OffsetAt Zone(Ticks standard, Ticks daylightFrom, Ticks daylightUntil) {
  return [=](Ticks utc) { return utc >= daylightFrom && utc < daylightUntil ? standard + kTicksPerHour : standard; };
}
const OffsetAt kNewYork = Zone(-5 * kTicksPerHour, At(2024, 3, 10, 7, 0), At(2024, 11, 3, 6, 0));
const OffsetAt kBerlin = Zone(kTicksPerHour, At(2024, 3, 31, 1, 0), At(2024, 10, 27, 1, 0));

TEST(LocalToUtcByOffsets, ATimeThatOccursOnceHasItsInstantAndOneInAGapOrTheRepeatedHourNone) {
  const struct {
    const OffsetAt* zone;
    CivilTime local;
    std::optional<Ticks> utc;  // none: refused
  } cases[] = {
      {&kNewYork, {2024, 7, 1, 12, 0}, At(2024, 7, 1, 16, 0)}, {&kNewYork, {2024, 3, 10, 3, 0}, At(2024, 3, 10, 7, 0)},
      {&kNewYork, {2024, 11, 3, 2, 0}, At(2024, 11, 3, 7, 0)}, {&kBerlin, {2024, 10, 27, 3, 0}, At(2024, 10, 27, 2, 0)},
      {&kNewYork, {2024, 3, 10, 2, 30}, std::nullopt},         {&kBerlin, {2024, 3, 31, 2, 0}, std::nullopt},
      {&kBerlin, {1601, 1, 1, 0, 30}, std::nullopt},
  };
  for (const auto& c : cases) {
    const auto utc = LocalToUtcByOffsets(c.local, *c.zone);
    EXPECT_EQ(utc ? std::optional<Ticks>(*utc) : std::nullopt, c.utc) << FormatShortTime(TicksFromCivil(c.local));
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
      EXPECT_NE(utc.error().find(FormatIso8601(TicksFromCivil(c.local), offset)), std::string::npos) << utc.error();
    }
  }
}

}  // namespace
}  // namespace cli
