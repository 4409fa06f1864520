#include "cli/path_text.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

TEST(JoinPath, PutsOneSeparatorBetweenFolderAndName) {
  const struct {
    const char* folder;
    const char* expected;
  } cases[] = {
      {"D:\\Photos", "D:\\Photos\\a.jpg"}, {"D:\\Photos\\", "D:\\Photos\\a.jpg"}, {"D:/Photos/", "D:/Photos/a.jpg"},
      {"D:\\", "D:\\a.jpg"},               {"D:", "D:a.jpg"},                    {"", "a.jpg"},
      {"照片", "照片\\a.jpg"},
  };
  for (const auto& c : cases) EXPECT_EQ(JoinPath(c.folder, "a.jpg"), c.expected) << c.folder;
}

TEST(WithoutExtendedPrefix, ShowsJournalPathsAsPeopleWriteThem) {
  EXPECT_EQ(WithoutExtendedPrefix("\\\\?\\C:\\照片\\a.jpg"), "C:\\照片\\a.jpg");
  EXPECT_EQ(WithoutExtendedPrefix("\\\\?\\UNC\\server\\share\\a"), "\\\\server\\share\\a");
  EXPECT_EQ(WithoutExtendedPrefix("C:\\a"), "C:\\a");
  EXPECT_EQ(WithoutExtendedPrefix("\\\\server\\share"), "\\\\server\\share");
}

TEST(PrintableLine, ControlCharactersBecomeQuestionMarksAndTheRestStays) {
  EXPECT_EQ(PrintableLine("a\x1b[2J\r\n\tb\x7f"), "a?[2J???b?");
  EXPECT_EQ(PrintableLine("照片 a.jpg"), "照片 a.jpg");
}

}  // namespace
}  // namespace cli
