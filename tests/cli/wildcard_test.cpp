#include "cli/wildcard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace cli {
namespace {

TEST(MatchesWildcard, StarAndQuestionMarkWithAsciiCaseFolded) {
  const struct {
    const char* name;
    const char* pattern;
    bool matches;
  } cases[] = {
      {"report.txt", "*.txt", true},
      {"report.txt", "*.TXT", true},
      {"REPORT.TXT", "rep*", true},
      {"report.txt", "*.doc", false},
      {"a.txt", "?.txt", true},
      {"ab.txt", "?.txt", false},
      {"report", "*", true},
      {"", "*", true},
      {"", "?", false},
      {"report", "*.*", true},
      {"a.b.c", "*.c", true},
      {"abc", "a*b*c", true},
      {"abc", "a*b*c*d", false},
      {"文件.txt", "??.txt", true},
      {"文件.txt", "?.txt", false},
      {"Ünïcode", "ünïcode", false},
      {"mississippi", "*sip*", true},
      {"*ab", "*b", true},
  };
  for (const auto& c : cases) EXPECT_EQ(MatchesWildcard(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
}

TEST(MatchesWildcard, ManyStarsAgainstALongNameStayFast) {
  const std::string name(10'000, 'a');
  const std::string pattern = std::string(50, '*') + "b";
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(MatchesWildcard(name, pattern));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(SplitLastPart, CutsAfterTheLastSeparatorOrDrive) {
  const struct {
    const char* path;
    const char* folder;
    const char* last;
  } cases[] = {
      {R"(C:\data\*.txt)", R"(C:\data\)", "*.txt"},
      {"dir/sub/a?.log", "dir/sub/", "a?.log"},
      {"*.txt", "", "*.txt"},
      {"C:*.txt", "C:", "*.txt"},
      {R"(\\server\share\x*)", R"(\\server\share\)", "x*"},
  };
  for (const auto& c : cases) {
    const PathParts parts = SplitLastPart(c.path);
    EXPECT_EQ(parts.folder, c.folder);
    EXPECT_EQ(parts.lastPart, c.last);
  }
  EXPECT_TRUE(HasWildcard("a?"));
  EXPECT_FALSE(HasWildcard(R"(C:\plain.txt)"));
}

TEST(NameLess, SortsWithoutCaseThenByExactBytes) {
  std::vector<std::string> names = {"b.txt", "A.txt", "a.txt", "B2.txt", "a", "文件"};
  std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return NameLess(a, b); });
  EXPECT_EQ(names, (std::vector<std::string>{"a", "A.txt", "a.txt", "b.txt", "B2.txt", "文件"}));
}

}  // namespace
}  // namespace cli
