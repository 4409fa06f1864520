#include "cli/name_date.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

constexpr int kMaxYear = 2027;

TEST(ReadNameDate, EveryPatternReadsItsOwnExample) {
  for (const NamePattern& entry : NamePatterns()) {
    const auto found = ReadNameDate(std::string(entry.example) + ".jpg", kMaxYear);
    ASSERT_TRUE(found) << entry.example;
    EXPECT_EQ(found->source, entry.example);
    const CivilTime civil = std::get<LocalTime>(found->when).civil;
    EXPECT_EQ(civil.year, 2024) << entry.example;
    EXPECT_EQ(civil.month, 5) << entry.example;
    EXPECT_EQ(civil.day, 1) << entry.example;
  }
}

TEST(ReadNameDate, ReadsTheFieldsOfTheFirstMatch) {
  const struct {
    const char* name;
    CivilTime civil;
    const char* source;
  } cases[] = {
      {"IMG_20240501_123456.jpg", {2024, 5, 1, 12, 34, 56}, "IMG_20240501_123456"},
      {"PXL_20240501_123456789.MP.jpg", {2024, 5, 1, 12, 34, 56, 7'890'000}, "PXL_20240501_123456789"},
      {"img-20240501-wa0001.jpeg", {2024, 5, 1}, "img-20240501-WA0001"},
      {"holiday 2023-12-31 23.59.58 (2).jpg", {2023, 12, 31, 23, 59, 58}, "2023-12-31 23.59.58"},
      {"20240501_123456_20230101_000000.jpg", {2024, 5, 1, 12, 34, 56}, "20240501_123456"},
  };
  for (const auto& c : cases) {
    const auto found = ReadNameDate(c.name, kMaxYear);
    ASSERT_TRUE(found) << c.name;
    EXPECT_EQ(std::get<LocalTime>(found->when).civil, c.civil) << c.name;
    EXPECT_EQ(found->source.size(), std::string_view(c.source).size()) << c.name;
  }
}

TEST(ReadNameDate, DigitsThatAreNoDateAreNotADate) {
  for (const char* name : {
           "IMG_20241301_123456.jpg",  // month 13
           "IMG_20240230_123456.jpg",  // 30 February
           "IMG_20240501_246000.jpg",  // hour 24
           "IMG_19690501_123456.jpg",  // before 1970
           "IMG_20280501_123456.jpg",  // after next year
           "120240501_123456.jpg",     // a longer number
           "20240501_1234567.jpg",     // a digit too many
           "IMG_2024051_123456.jpg",   // a digit short
           "DSC01234.JPG",
           "",
           "2024-05-01.jpg",
       }) {
    EXPECT_FALSE(ReadNameDate(name, kMaxYear)) << name;
  }
}

TEST(ReadNameDate, AnInvalidMatchLetsALaterOneCount) {
  const auto found = ReadNameDate("IMG_20241301_123456 copy of 20240501_101010.jpg", kMaxYear);
  ASSERT_TRUE(found);
  EXPECT_EQ(std::get<LocalTime>(found->when).civil, (CivilTime{2024, 5, 1, 10, 10, 10}));
}

}  // namespace
}  // namespace cli
