#include "cli/text_width.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

TEST(DisplayWidth, WideCharactersTakeTwoColumnsAndMarksNone) {
  const struct {
    const char* text;
    std::size_t width;
  } cases[] = {
      {"", 0},        {"report.txt", 10}, {"文件.txt", 8},
      {"한국어", 6},  {"ｶﾀｶﾅＡ", 6},    // halfwidth katakana one column each, fullwidth A two
      {"Ünïcode", 7}, {"e\u0301", 1},   // e with a combining acute accent
      {"😀", 2},       {"\xFF\xFE", 2},  // stray bytes count one each
  };
  for (const auto& c : cases) EXPECT_EQ(DisplayWidth(c.text), c.width) << c.text;
}

TEST(NextCodePoint, DecodesValidSequencesAndReturnsStrayBytesAlone) {
  const struct {
    const char* text;
    char32_t first;
    std::size_t length;
  } cases[] = {
      {"A", U'A', 1},
      {"é", U'é', 2},
      {"文", U'文', 3},
      {"😀", U'😀', 4},
      {"\xC0\x80", kStrayByteBase + 0xC0, 1},          // overlong NUL
      {"\xED\xA0\x80", kStrayByteBase + 0xED, 1},      // a surrogate
      {"\xF4\x90\x80\x80", kStrayByteBase + 0xF4, 1},  // past U+10FFFF
      {"\xE6\x96", kStrayByteBase + 0xE6, 1},          // cut short
  };
  for (const auto& c : cases) {
    std::size_t pos = 0;
    EXPECT_EQ(NextCodePoint(c.text, pos), c.first) << c.text;
    EXPECT_EQ(pos, c.length) << c.text;
  }
}

}  // namespace
}  // namespace cli
