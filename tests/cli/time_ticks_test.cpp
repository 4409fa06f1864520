#include "cli/time_ticks.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

TEST(TimeTicks, CivilFieldsAndTicksConvertBothWaysAtTheEdges) {
  const struct {
    CivilTime civil;
    Ticks ticks;
  } cases[] = {
      {{1601, 1, 1, 0, 0, 0, 0}, 0},
      {{1601, 1, 1, 0, 0, 0, 1}, 1},
      {{1970, 1, 1, 0, 0, 0, 0}, 116'444'736'000'000'000},  // the Unix epoch as a file time
      {{1900, 3, 1, 0, 0, 0, 0}, 109'266 * kTicksPerDay},   // 1900 has no Feb 29
      {{2000, 2, 29, 12, 0, 0, 0}, 145'790 * kTicksPerDay + 12 * kTicksPerHour},
      {{2024, 2, 29, 23, 59, 59, 9'999'999}, 154'557 * kTicksPerDay - 1},
      {{9999, 12, 31, 23, 59, 59, 9'999'999}, 2'650'467'743'999'999'999},
      {{30827, 12, 31, 23, 59, 59, 9'999'999}, kMaxTicks},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TicksFromCivil(c.civil), c.ticks) << c.civil.year << "-" << c.civil.month << "-" << c.civil.day;
    EXPECT_EQ(CivilFromTicks(c.ticks), c.civil) << c.ticks;
  }
}

TEST(TimeTicks, EveryDayOfFourHundredYearsRoundTrips) {
  for (std::int64_t day = 0; day < 146'097; ++day) {
    const CivilTime civil = CivilFromTicks(day * kTicksPerDay);
    ASSERT_FALSE(FindCivilTimeError(civil).has_value()) << day;
    ASSERT_EQ(DaysFromCivil(civil.year, civil.month, civil.day), day);
  }
}

TEST(TimeTicks, TicksBefore1601GiveEarlierDates) {
  EXPECT_EQ(CivilFromTicks(-1), (CivilTime{1600, 12, 31, 23, 59, 59, 9'999'999}));
  EXPECT_EQ(CivilFromTicks(-kTicksPerDay * 366), (CivilTime{1600, 1, 1}));  // 1600 is a leap year
}

TEST(TimeTicks, ValidationNamesTheFieldOutOfRange) {
  const struct {
    CivilTime civil;
    const char* message;
  } cases[] = {
      {{1600, 12, 31}, "year 1600 is before 1601"},
      {{30828, 1, 1}, "year 30828 is after 30827"},
      {{2024, 13, 1}, "month 13 is out of range (01-12)"},
      {{2024, 0, 1}, "month 0 is out of range (01-12)"},
      {{2023, 2, 29}, "day 29 is out of range for 2023-02 (01-28)"},
      {{1900, 2, 29}, "day 29 is out of range for 1900-02 (01-28)"},
      {{2024, 4, 31}, "day 31 is out of range for 2024-04 (01-30)"},
      {{2024, 1, 1, 24}, "hour 24 is out of range (00-23)"},
      {{2024, 1, 1, 0, 60}, "minute 60 is out of range (00-59)"},
      {{2024, 1, 1, 0, 0, 60}, "second 60 is out of range (00-59)"},
  };
  for (const auto& c : cases) EXPECT_EQ(FindCivilTimeError(c.civil).value_or("valid"), c.message);
  EXPECT_FALSE(FindCivilTimeError({2024, 2, 29}).has_value());
  EXPECT_FALSE(FindCivilTimeError({2000, 2, 29}).has_value());
}

TEST(TimeTicks, Iso8601HasSevenFractionDigitsAndTheOffset) {
  const Ticks local = TicksFromCivil({2024, 5, 1, 12, 0, 0, 1'234'567});
  EXPECT_EQ(FormatIso8601(local, 8 * kTicksPerHour), "2024-05-01T12:00:00.1234567+08:00");
  EXPECT_EQ(FormatIso8601(local, -(3 * kTicksPerHour + 30 * kTicksPerMinute)), "2024-05-01T12:00:00.1234567-03:30");
  EXPECT_EQ(FormatIso8601(local, 0), "2024-05-01T12:00:00.1234567+00:00");
  EXPECT_EQ(FormatIso8601(0, 5 * kTicksPerHour + 45 * kTicksPerMinute), "1601-01-01T00:00:00.0000000+05:45");
  EXPECT_EQ(FormatIso8601(kMaxTicks, 0), "30827-12-31T23:59:59.9999999+00:00");
}

TEST(TimeTicks, ShortTimeDropsTheFraction) {
  EXPECT_EQ(FormatShortTime(TicksFromCivil({2017, 3, 5, 14, 7, 9, 9'999'999})), "2017-03-05 14:07:09");
}

}  // namespace
}  // namespace cli
