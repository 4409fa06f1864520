#include "core/digit_grouping.h"

#include <gtest/gtest.h>

namespace core {
namespace {

TEST(GroupDigits, PutsACommaBetweenGroupsOfThreeFromTheRight) {
  EXPECT_EQ(GroupDigits(0), "0");
  EXPECT_EQ(GroupDigits(999), "999");
  EXPECT_EQ(GroupDigits(1000), "1,000");
  EXPECT_EQ(GroupDigits(1234567), "1,234,567");
  EXPECT_EQ(GroupDigits(4294967295u), "4,294,967,295");
  EXPECT_EQ(GroupDigits(4294967296u), "4,294,967,296");
  EXPECT_EQ(GroupDigits(18446744073709551615u), "18,446,744,073,709,551,615");
}

}  // namespace
}  // namespace core
