#include "cli/attrib_spec.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

using Words = std::vector<std::string_view>;

TEST(ParseAttribSpec, SignedLettersJoinedOrApart) {
  const struct {
    Words words;
    AttribSpec spec;
  } cases[] = {
      {{"+R"}, {false, kReadOnly, 0}},
      {{"+rh-s"}, {false, kReadOnly | kHidden, kSystem}},
      {{"+R", "-H", "+S", "-A"}, {false, kReadOnly | kSystem, kHidden | kArchive}},
      {{"+R -h"}, {false, kReadOnly, kHidden}},
      {{"+R", "+r"}, {false, kReadOnly, 0}},
      {{"=RA"}, {true, kReadOnly | kArchive, kHidden | kSystem}},
      {{"=ra"}, {true, kReadOnly | kArchive, kHidden | kSystem}},
      {{"="}, {true, 0, kFlagMask}},
  };
  for (const auto& c : cases) {
    auto spec = ParseAttribSpec(c.words);
    ASSERT_TRUE(spec.has_value()) << c.words[0] << ": " << spec.error();
    EXPECT_EQ(*spec, c.spec) << c.words[0];
  }
}

TEST(ParseAttribSpec, RejectsContradictionsAndStrayCharacters) {
  const struct {
    Words words;
    const char* message;
  } cases[] = {
      {{"+R", "-R"}, "the flag R is both set and cleared"},
      {{"+r-R"}, "the flag R is both set and cleared"},
      {{"+X"}, "unknown attribute letter 'X' (use R, H, S or A)"},
      {{"R"}, "the letter 'R' needs a sign before it: +, - or ="},
      {{"+R", "H"}, "the letter 'H' needs a sign before it: +, - or ="},
      {{"+"}, "'+' needs letters after it (R, H, S or A)"},
      {{"+-R"}, "'+' needs letters after it (R, H, S or A)"},
      {{"=R", "+H"}, "'=' cannot be combined with + or -"},
      {{"=R=H"}, "'=' may appear only once"},
      {{}, "the attribute change is empty (e.g. +R, -H, =RA or =)"},
      {{""}, "the attribute change is empty (e.g. +R, -H, =RA or =)"},
  };
  for (const auto& c : cases) {
    auto spec = ParseAttribSpec(c.words);
    EXPECT_EQ(spec ? "accepted" : spec.error(), c.message);
  }
}

TEST(ApplyAttribSpec, ChangesOnlyTheFourFlagsAndKeepsEveryOtherBit) {
  const AttributeWord directory = 0x10;
  const AttributeWord compressed = 0x800;
  const AttributeWord current = directory | compressed | kReadOnly | kArchive;
  EXPECT_EQ(ApplyAttribSpec({false, kHidden, kReadOnly}, current), directory | compressed | kHidden | kArchive);
  EXPECT_EQ(ApplyAttribSpec({true, kSystem, kFlagMask & ~kSystem}, current), directory | compressed | kSystem);
  EXPECT_EQ(ApplyAttribSpec({true, 0, kFlagMask}, current), directory | compressed);
}

TEST(AttributeLetters, SetFlagsInRhsaOrder) {
  EXPECT_EQ(AttributeLetters(0), "");
  EXPECT_EQ(AttributeLetters(kArchive | kReadOnly), "RA");
  EXPECT_EQ(AttributeLetters(0xFFFFFFFF), "RHSA");
  EXPECT_EQ(AttributeLetters(0x10 | kSystem), "S");
}

TEST(LooksLikeAttribChange, ASignThenFlagLettersOnly) {
  for (const char* word : {"+R", "-h", "=", "=RA", "+rh-s", "-R -H"}) EXPECT_TRUE(LooksLikeAttribChange(word)) << word;
  for (const char* word : {"-", "+", "", "-x", "file.txt", "+Rx", "===", "has", "RA+"})
    EXPECT_FALSE(LooksLikeAttribChange(word)) << word;
}

}  // namespace
}  // namespace cli
