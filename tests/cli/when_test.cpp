#include "cli/when.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

When Parsed(std::string_view text) {
  auto when = ParseWhen(text);
  EXPECT_TRUE(when.has_value()) << text << ": " << (when ? "" : when.error());
  return when ? *when : When{Now{}};
}

std::string ErrorOf(std::string_view text) {
  auto when = ParseWhen(text);
  return when ? "accepted" : when.error();
}

TEST(ParseWhen, DateAndTimeWithoutOffsetIsALocalTime) {
  const struct {
    const char* text;
    CivilTime civil;
  } cases[] = {
      {"2024-05-01", {2024, 5, 1}},
      {"2024-05-01 12:30", {2024, 5, 1, 12, 30}},
      {"2024-05-01T12:30:15", {2024, 5, 1, 12, 30, 15}},
      {"2024-05-01t12:30:15.5", {2024, 5, 1, 12, 30, 15, 5'000'000}},
      {"2024-05-01T12:30:15.1234567", {2024, 5, 1, 12, 30, 15, 1'234'567}},
      {"1601-01-01", {1601, 1, 1}},
      {"2024-02-29", {2024, 2, 29}},
      {"30827-12-31T23:59:59.9999999", {30827, 12, 31, 23, 59, 59, 9'999'999}},
  };
  for (const auto& c : cases) EXPECT_EQ(Parsed(c.text), When{LocalTime{c.civil}}) << c.text;
}

TEST(ParseWhen, ZOrAnOffsetMakesAnExactInstant) {
  const Ticks noonUtc = TicksFromCivil({2024, 5, 1, 12, 0, 0});
  EXPECT_EQ(Parsed("2024-05-01T12:00Z"), When{Instant{noonUtc}});
  EXPECT_EQ(Parsed("2024-05-01 12:00:00z"), When{Instant{noonUtc}});
  EXPECT_EQ(Parsed("2024-05-01T20:00+08:00"), When{Instant{noonUtc}});
  EXPECT_EQ(Parsed("2024-05-01T08:30-03:30"), When{Instant{noonUtc}});
  EXPECT_EQ(Parsed("2024-05-01T12:00:00.0000001+00:00"), When{Instant{noonUtc + 1}});
}

TEST(ParseWhen, KeywordsInAnyCase) {
  EXPECT_EQ(Parsed("now"), When{Now{}});
  EXPECT_EQ(Parsed("NOW"), When{Now{}});
  EXPECT_EQ(Parsed("created"), When{TimeOf{TimeSlot::Created}});
  EXPECT_EQ(Parsed("Modified"), When{TimeOf{TimeSlot::Modified}});
  EXPECT_EQ(Parsed("accessed"), When{TimeOf{TimeSlot::Accessed}});
}

TEST(ParseWhen, ShiftAddsItsUnitsWithTheirSign) {
  const struct {
    const char* text;
    Ticks delta;
  } cases[] = {
      {"+1d", kTicksPerDay},
      {"-2h30m", -(2 * kTicksPerHour + 30 * kTicksPerMinute)},
      {"+90s", 90 * kTicksPerSecond},
      {"+1d2h3m4s", kTicksPerDay + 2 * kTicksPerHour + 3 * kTicksPerMinute + 4 * kTicksPerSecond},
      {"-0s", 0},
      {"+106751d", 106'751 * kTicksPerDay},
  };
  for (const auto& c : cases) EXPECT_EQ(Parsed(c.text), When{Shift{c.delta}}) << c.text;
}

TEST(ParseWhen, MalformedOrOutOfRangeNamesTheProblem) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"", "the time is empty"},
      {"-", "a shift needs a number and a unit after the sign, e.g. +1d or -2h30m"},
      {"+5x", "unknown unit 'x' (use d, h, m or s)"},
      {"+5", "the number 5 has no unit (d, h, m or s)"},
      {"+1h2d", "units go from days down to seconds: 'd' cannot follow 'h'"},
      {"+1h2h", "the unit 'h' is given twice"},
      {"+1M", "unknown unit 'M' (use d, h, m or s)"},
      {"+h", "expected a number in the shift, found 'h'"},
      {"+99999999999999999999d", "the shift is larger than the whole range of file times"},
      {"2024-13-01", "month 13 is out of range (01-12)"},
      {"2023-02-29", "day 29 is out of range for 2023-02 (01-28)"},
      {"2024-04-31", "day 31 is out of range for 2024-04 (01-30)"},
      {"1600-12-31", "year 1600 is before 1601"},
      {"2024-05-01 24:00", "hour 24 is out of range (00-23)"},
      {"2024-05-01T12:60", "minute 60 is out of range (00-59)"},
      {"2024-05-01T12:00:60", "second 60 is out of range (00-59)"},
      {"2024-5-01", "the month needs exactly two digits"},
      {"24-05-01", "the year needs four digits (YYYY-MM-DD)"},
      {"02024-05-01", "the year needs four digits (YYYY-MM-DD)"},
      {"2024/05/01", "expected '-' after the year, found '/'"},
      {"2024-05-01T12", "expected ':' after the hour, found the end"},
      {"2024-05-01T12:00:00.", "the fraction of a second needs digits after '.'"},
      {"2024-05-01T12:00:00.12345678", "the fraction of a second has more than 7 digits (the finest step is 100 ns)"},
      {"2024-05-01T12:00+8:00", "the offset hour needs exactly two digits"},
      {"2024-05-01T12:00+24:00", "offset hour 24 is out of range (00-23)"},
      {"2024-05-01Z", "unexpected 'Z' after the date"},
      {"2024-05-01 ", "the hour needs exactly two digits"},
      {"2024-05-01T12:00 ", "unexpected ' ' (a blank) after the time"},
      {"1601-01-01T00:00+00:01", "the instant is before 1601-01-01 00:00 UTC"},
      {"yesterday",
       "expected a date (YYYY-MM-DD[ HH:MM[:SS[.fffffff]]][Z|+HH:MM]), now, a shift such as +1d2h, "
       "created, modified, accessed, taken or name"},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorOf(c.text), c.message) << c.text;
}

TEST(ResolveWhen, EachFormGivesItsUtcValue) {
  const SlotTimes before{100 * kTicksPerDay, 200 * kTicksPerDay, 300 * kTicksPerDay};
  const Ticks now = 400 * kTicksPerDay;
  const LocalToUtc minusOneHour = [](const CivilTime& civil) -> Result<Ticks> {
    return TicksFromCivil(civil) - kTicksPerHour;
  };
  const auto resolve = [&](const When& when, TimeSlot slot) {
    auto utc = ResolveWhen(when, slot, before, now, minusOneHour);
    return utc ? *utc : Ticks{-1};
  };
  EXPECT_EQ(resolve(LocalTime{{1601, 1, 2, 1}}, TimeSlot::Created), kTicksPerDay);
  EXPECT_EQ(resolve(Instant{5}, TimeSlot::Created), 5);
  EXPECT_EQ(resolve(Now{}, TimeSlot::Accessed), now);
  EXPECT_EQ(resolve(Shift{kTicksPerHour}, TimeSlot::Modified), 200 * kTicksPerDay + kTicksPerHour);
  EXPECT_EQ(resolve(Shift{-kTicksPerDay}, TimeSlot::Accessed), 299 * kTicksPerDay);
  EXPECT_EQ(resolve(TimeOf{TimeSlot::Created}, TimeSlot::Modified), 100 * kTicksPerDay);
}

TEST(ResolveWhen, ResultOutsideTheRangeOrAFailedConversionIsAnError) {
  const SlotTimes before{kTicksPerDay, kMaxTicks - kTicksPerSecond, 0};
  const LocalToUtc failing = [](const CivilTime&) -> Result<Ticks> { return Error{"no such local time"}; };
  const auto error = [&](const When& when, TimeSlot slot) {
    auto utc = ResolveWhen(when, slot, before, 0, failing);
    return utc ? "accepted" : utc.error();
  };
  EXPECT_EQ(error(Shift{-2 * kTicksPerDay}, TimeSlot::Created), "the shifted created time falls outside 1601..30827");
  EXPECT_EQ(error(Shift{kTicksPerDay}, TimeSlot::Modified), "the shifted modified time falls outside 1601..30827");
  EXPECT_EQ(error(LocalTime{{2024, 1, 1}}, TimeSlot::Accessed), "no such local time");
  EXPECT_EQ(error(Shift{-kTicksPerDay}, TimeSlot::Created), "accepted");
}

}  // namespace
}  // namespace cli
