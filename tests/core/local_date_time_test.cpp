#include "core/local_date_time.h"

#include <gtest/gtest.h>

namespace core {
namespace {

TEST(LocalDateTime, ClampsEveryFieldIntoItsRange) {
  EXPECT_EQ(LocalDateTime::FromFields(99, 0, 0, -1, -1, -1), (LocalDateTime{100, 1, 1, 0, 0, 0}));
  EXPECT_EQ(LocalDateTime::FromFields(10000, 13, 32, 24, 60, 60), (LocalDateTime{9999, 12, 31, 23, 59, 59}));
  EXPECT_EQ(LocalDateTime::FromFields(2017, 3, 5, 14, 7, 9), (LocalDateTime{2017, 3, 5, 14, 7, 9}));
}

TEST(LocalDateTime, DayIsLoweredToTheLengthOfTheMonth) {
  EXPECT_EQ(LocalDateTime::FromFields(2021, 2, 31, 0, 0, 0).day, 28);
  EXPECT_EQ(LocalDateTime::FromFields(2024, 2, 30, 0, 0, 0).day, 29);
  EXPECT_EQ(LocalDateTime::FromFields(1900, 2, 29, 0, 0, 0).day, 28);  // divisible by 100
  EXPECT_EQ(LocalDateTime::FromFields(2000, 2, 29, 0, 0, 0).day, 29);  // divisible by 400
  EXPECT_EQ(LocalDateTime::FromFields(2021, 4, 31, 0, 0, 0).day, 30);
  EXPECT_EQ(LocalDateTime::FromFields(2021, 12, 99, 0, 0, 0).day, 31);
}

TEST(LocalDateTime, EveryMonthClampsTheDayToItsOwnLength) {
  // Month lengths written out independently of the code: 30 days hath September...
  const int common[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (const int year : {2023, 2024}) {
    for (int month = 1; month <= 12; ++month) {
      const int length = common[month - 1] + (month == 2 && year == 2024 ? 1 : 0);
      EXPECT_EQ(LocalDateTime::FromFields(year, month, 31, 0, 0, 0).day, length) << year << "-" << month;
      EXPECT_EQ(LocalDateTime::FromFields(year, month, length, 0, 0, 0).day, length) << year << "-" << month;
    }
  }
}

TEST(LocalDateTime, OrdersChronologically) {
  const auto a = LocalDateTime::FromFields(2020, 12, 31, 23, 59, 59);
  const auto b = LocalDateTime::FromFields(2021, 1, 1, 0, 0, 0);
  EXPECT_LT(a, b);
  EXPECT_LT(LocalDateTime::FromFields(2021, 1, 1, 0, 0, 0), LocalDateTime::FromFields(2021, 1, 1, 0, 0, 1));
  EXPECT_LT(LocalDateTime::FromFields(2021, 1, 9, 0, 0, 0), LocalDateTime::FromFields(2021, 2, 1, 0, 0, 0));
}

TEST(LocalDateTime, KeepTimeIsTheEarliestValueAndAnythingAtOrBeforeIt) {
  EXPECT_TRUE(IsKeepTime(KeepTime));
  EXPECT_TRUE(IsKeepTime(LocalDateTime::FromFields(0, 0, 0, 0, 0, 0)));
  EXPECT_FALSE(IsKeepTime(LocalDateTime::FromFields(100, 1, 1, 0, 0, 1)));
  EXPECT_FALSE(IsKeepTime(LocalDateTime::FromFields(1601, 1, 1, 0, 0, 0)));
}

TEST(LocalDateTime, FormatsWithFixedWidthFields) {
  EXPECT_EQ(FormatLocalDateTime(LocalDateTime::FromFields(2017, 3, 5, 14, 7, 9)), "2017-03-05 14:07:09");
  EXPECT_EQ(FormatLocalDateTime(KeepTime), "0100-01-01 00:00:00");
  EXPECT_EQ(FormatLocalDateTime(LocalDateTime::FromFields(9999, 12, 31, 23, 59, 59)), "9999-12-31 23:59:59");
}

}  // namespace
}  // namespace core
