#include "core/file_time_convert.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/file_stamp.h"
#include "tests/support/file_state.h"
#include "tests/support/temp_folder.h"

namespace core {
namespace {

using testing_support::FromTicks;
using testing_support::ReadPathState;
using testing_support::SetPathTimes;
using testing_support::TempFolder;
using testing_support::Ticks;
using testing_support::UtcTime;

// --- Any time zone -----------------------------------------------------------------------

TEST(FileTimeConvert, LocalTimeConvertsBackToTheSameWallClockTime) {
  for (const LocalDateTime local : {LocalDateTime{2021, 3, 4, 10, 20, 30}, LocalDateTime{1999, 12, 31, 23, 59, 59},
                                    LocalDateTime{2024, 2, 29, 0, 0, 0}}) {
    const auto utc = LocalToFileTime(local);
    ASSERT_TRUE(utc.has_value());
    EXPECT_EQ(FileTimeToLocal(*utc), local);
  }
}

TEST(FileTimeConvert, ReadingDropsTheSubSecondPart) {
  const FILETIME whole = UtcTime(2019, 5, 6, 7, 8, 9);
  EXPECT_EQ(FileTimeToLocal(FromTicks(Ticks(whole) + 9'999'999)), FileTimeToLocal(whole));
}

TEST(FileTimeConvert, TimesBefore1601CannotBeConverted) {
  EXPECT_FALSE(LocalToFileTime({1600, 6, 1, 12, 0, 0}).has_value());
  EXPECT_FALSE(LocalToFileTime({100, 1, 1, 0, 0, 1}).has_value());
  EXPECT_FALSE(FileTimeToLocal(FILETIME{0xFFFFFFFF, 0xFFFFFFFF}).has_value());
}

// --- Fixed zones --------------------------------------------------------------------------
// A Wine process reads TZ when it starts, so these run in processes of their own started with
// TZ=<zone> and FILESTAMP_TEST_TZ=<zone>; elsewhere they skip.

template <const char* kZone>
class InZone : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* zone = std::getenv("FILESTAMP_TEST_TZ");
    if (!zone || std::string(zone) != kZone) GTEST_SKIP() << "runs with TZ=" << kZone << " FILESTAMP_TEST_TZ=" << kZone;
  }
  TempFolder dir_;
};

constexpr char kBerlin[] = "Europe/Berlin";
constexpr char kNewYork[] = "America/New_York";
constexpr char kCuiaba[] = "America/Cuiaba";
using TimeZoneBerlin = InZone<kBerlin>;
using TimeZoneNewYork = InZone<kNewYork>;
using TimeZoneCuiaba = InZone<kCuiaba>;

// The United States moved the start of daylight saving from April to March in 2007: each
// year's own rule applies, not today's.
TEST_F(TimeZoneNewYork, EachYearIsConvertedByItsOwnDaylightSavingRule) {
  EXPECT_EQ(FileTimeToLocal(UtcTime(2006, 3, 20, 12, 0, 0)), (LocalDateTime{2006, 3, 20, 7, 0, 0}));
  EXPECT_EQ(FileTimeToLocal(UtcTime(2009, 3, 20, 12, 0, 0)), (LocalDateTime{2009, 3, 20, 8, 0, 0}));
  EXPECT_EQ(Ticks(LocalToFileTime({2006, 3, 28, 9, 0, 0}).value()), Ticks(UtcTime(2006, 3, 28, 14, 0, 0)));
  EXPECT_EQ(Ticks(LocalToFileTime({2009, 3, 28, 9, 0, 0}).value()), Ticks(UtcTime(2009, 3, 28, 13, 0, 0)));
  EXPECT_EQ(LocalOffsetAt(UtcTime(2006, 3, 20, 12, 0, 0)), -5 * 36'000'000'000LL);
  EXPECT_EQ(LocalOffsetAt(UtcTime(2009, 3, 20, 12, 0, 0)), -4 * 36'000'000'000LL);
}

TEST_F(TimeZoneNewYork, SubSecondLocalTimesConvertExactly) {
  const std::uint64_t local = Ticks(UtcTime(2006, 3, 28, 9, 0, 0, 1'234'567));
  EXPECT_EQ(Ticks(LocalTicksToUtc(local).value()), Ticks(UtcTime(2006, 3, 28, 14, 0, 0, 1'234'567)));
}

TEST_F(TimeZoneBerlin, SummerAndWinterInstantsReadWithTheOffsetOfTheirOwnDate) {
  // Whatever today's offset, each date uses its own: +2 h in summer, +1 h in winter.
  EXPECT_EQ(FileTimeToLocal(UtcTime(2020, 7, 1, 12, 0, 0)), (LocalDateTime{2020, 7, 1, 14, 0, 0}));
  EXPECT_EQ(FileTimeToLocal(UtcTime(2020, 1, 15, 12, 0, 0)), (LocalDateTime{2020, 1, 15, 13, 0, 0}));

  const std::string path = dir_.MakeFile("a.txt");
  const FILETIME access = UtcTime(2020, 1, 15, 12, 0, 0);
  const FILETIME write = UtcTime(2020, 7, 1, 12, 0, 0);
  SetPathTimes(path, nullptr, &access, &write);
  const auto times = ReadFileTimes(path);
  ASSERT_TRUE(times.has_value());
  EXPECT_EQ(times->modification, (LocalDateTime{2020, 7, 1, 14, 0, 0}));
  EXPECT_EQ(times->access, (LocalDateTime{2020, 1, 15, 13, 0, 0}));
}

TEST_F(TimeZoneBerlin, TypedSummerAndWinterTimesAreWrittenAsThoseInstants) {
  const std::string path = dir_.MakeFile("a.txt");
  ASSERT_TRUE(ApplyFileStamp(path, KeepTime, {2020, 7, 1, 14, 0, 0}, {2020, 1, 15, 13, 0, 0}, KeepAttributes));
  const auto after = ReadPathState(path);
  EXPECT_EQ(after.modification, Ticks(UtcTime(2020, 7, 1, 12, 0, 0)));
  EXPECT_EQ(after.access, Ticks(UtcTime(2020, 1, 15, 12, 0, 0)));
}

// Sets write and access times, reads them as local times, applies those unchanged and
// checks that each kept its instant to the 100 ns.
void ExpectReapplyKeepsInstants(const std::string& path, const FILETIME& write, const FILETIME& access) {
  SetPathTimes(path, nullptr, &access, &write);
  const auto times = ReadFileTimes(path);
  ASSERT_TRUE(times.has_value());
  ASSERT_TRUE(ApplyFileStamp(path, KeepTime, *times->modification, *times->access, KeepAttributes));
  const auto after = ReadPathState(path);
  EXPECT_EQ(after.modification, Ticks(write));
  EXPECT_EQ(after.access, Ticks(access));
}

TEST_F(TimeZoneBerlin, ReappliedTimesKeepTheirInstantInBothHalvesOfTheYear) {
  ExpectReapplyKeepsInstants(dir_.MakeFile("a.txt"), UtcTime(2020, 7, 1, 12, 0, 0, 5'000'000),
                             UtcTime(2020, 1, 15, 12, 0, 0, 2'500'000));
}

TEST_F(TimeZoneBerlin, BothPassesOfTheRepeatedHourKeepTheirOwnInstant) {
  // Daylight saving ends 2020-10-25 01:00 UTC: 00:30 and 01:30 UTC both read 02:30 local.
  const FILETIME firstPass = UtcTime(2020, 10, 25, 0, 30, 0, 2'500'000);
  const FILETIME secondPass = UtcTime(2020, 10, 25, 1, 30, 0, 7'500'000);
  EXPECT_EQ(FileTimeToLocal(firstPass), (LocalDateTime{2020, 10, 25, 2, 30, 0}));
  EXPECT_EQ(FileTimeToLocal(secondPass), (LocalDateTime{2020, 10, 25, 2, 30, 0}));

  const std::string path = dir_.MakeFile("a.txt");
  ExpectReapplyKeepsInstants(path, firstPass, secondPass);
  ExpectReapplyKeepsInstants(path, secondPass, firstPass);
}

TEST_F(TimeZoneBerlin, LocalYearPast9999ReadsAs9999WithTheOtherFieldsUnchanged) {
  // 9999-12-31 23:30 UTC is 10000-01-01 00:30 in Berlin. Checked on the conversion alone:
  // Linux file systems such as ext4 cannot hold a file time that late.
  EXPECT_EQ(FileTimeToLocal(UtcTime(9999, 12, 31, 23, 30, 0)), (LocalDateTime{9999, 1, 1, 0, 30, 0}));
}

// Cuiaba (Mato Grosso, Brazil) kept daylight saving (UTC-3, else UTC-4) over New Year
// 2018/2019 and gave it up in 2019, so the rules of the two years differ at New Year. The first
// hours of 2019 in UTC are still 2018 there, and 2018's rule decides how they read.
TEST_F(TimeZoneCuiaba, NewYearsNightReadsByTheRuleOfTheLocalYear) {
  const struct {
    FILETIME utc;
    LocalDateTime local;
  } cases[] = {
      {UtcTime(2019, 1, 1, 1, 30, 0), {2018, 12, 31, 22, 30, 0}},
      {UtcTime(2019, 1, 1, 0, 0, 0), {2018, 12, 31, 21, 0, 0}},
      {UtcTime(2019, 1, 1, 4, 30, 0), {2019, 1, 1, 1, 30, 0}},     // the same year on both sides
      {UtcTime(2018, 1, 1, 1, 30, 0), {2017, 12, 31, 22, 30, 0}},  // two years of one rule
      {UtcTime(2020, 1, 1, 1, 30, 0), {2019, 12, 31, 21, 30, 0}},  // no daylight saving left
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.local.year << "-" << c.local.month << "-" << c.local.day << " "
                                    << c.local.hour);
    EXPECT_EQ(FileTimeToLocal(c.utc), c.local);
  }
  EXPECT_EQ(LocalOffsetAt(UtcTime(2019, 1, 1, 1, 30, 0)), -3 * 36'000'000'000LL);
  EXPECT_EQ(Ticks(LocalToFileTime({2018, 12, 31, 22, 30, 0}).value()), Ticks(UtcTime(2019, 1, 1, 1, 30, 0)));
}

}  // namespace
}  // namespace core
