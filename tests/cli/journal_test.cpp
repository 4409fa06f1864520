#include "cli/journal.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

const std::vector<JournalEntry> kEntries = {
    {R"(C:\data\report.txt)", 133'594'560'001'234'567, 0, 18'446'744'073'709'551'615u, 0x20},
    {R"(D:\照片\ a b  .jpg)", 1, 2, 3, 0x80000827},
};

constexpr std::string_view kText =
    "fstamp-journal 1 created accessed modified attributes path\n"
    "133594560001234567 0 18446744073709551615 00000020 C:\\data\\report.txt\n"
    "1 2 3 80000827 D:\\照片\\ a b  .jpg\n"
    "end 2\n";

TEST(Journal, WritesTheDocumentedLinesAndReadsThemBackExactly) {
  auto text = FormatJournal(kEntries);
  ASSERT_TRUE(text.has_value()) << text.error();
  EXPECT_EQ(*text, kText);
  auto entries = ParseJournal(*text);
  ASSERT_TRUE(entries.has_value()) << entries.error();
  EXPECT_EQ(*entries, kEntries);
}

TEST(Journal, AnEmptyListIsAValidJournal) {
  auto text = FormatJournal({});
  ASSERT_TRUE(text.has_value());
  auto entries = ParseJournal(*text);
  ASSERT_TRUE(entries.has_value()) << entries.error();
  EXPECT_TRUE(entries->empty());
}

TEST(Journal, RefusesToWritePathsThatWouldBreakALine) {
  for (const char* path : {"", "a\nb", "a\rb"}) {
    EXPECT_FALSE(FormatJournal({{path, 1, 2, 3, 0}}).has_value()) << path;
  }
  EXPECT_FALSE(FormatJournal({{std::string("a\0b", 3), 1, 2, 3, 0}}).has_value());
}

TEST(Journal, EveryCutOfTheTextIsRejected) {
  for (std::size_t size = 0; size < kText.size(); ++size) {
    EXPECT_FALSE(ParseJournal(kText.substr(0, size)).has_value()) << size;
  }
  EXPECT_EQ(ParseJournal(kText.substr(0, kText.size() - 1)).error(),
            "the journal is truncated: its last line has no line end");
  EXPECT_EQ(ParseJournal(kText.substr(0, kText.find("end"))).error(),
            "the journal is truncated: no 'end' line after 2 entries");
}

TEST(Journal, RejectsAForeignOrDamagedText) {
  const std::string header = std::string(kJournalHeader) + "\n";
  const struct {
    std::string text;
    std::string message;
  } cases[] = {
      {"", "the journal is empty"},
      {"hello\n", "not an fstamp journal: the first line should be '" + std::string(kJournalHeader) + "'"},
      {"fstamp-journal 2 created accessed modified attributes path\nend 0\n",
       "journal version '2' is not supported (this program reads version 1)"},
      {"fstamp-journal 1\nend 0\n", "line 1: damaged header (expected '" + std::string(kJournalHeader) + "')"},
      {header + "1 2 3 00000020 a\nend 2\n",
       "the journal is damaged: its 'end' line counts 2 entries, but 1 are present"},
      {header + "1 2 x 00000020 a\nend 1\n", "line 2: the modified time is not a plain decimal number of ticks"},
      {header + "01 2 3 00000020 a\nend 1\n", "line 2: the created time is not a plain decimal number of ticks"},
      {header + "1 2 18446744073709551616 00000020 a\nend 1\n",
       "line 2: the modified time is not a plain decimal number of ticks"},
      {header + "1 2 3 0000002A a\nend 1\n", "line 2: the attributes are not eight lowercase hex digits"},
      {header + "1 2 3 00000020 \nend 1\n", "line 2: the path is missing"},
      {header + "1 2 3 00000020 a\r\nend 1\n", "line 2: holds a carriage return (was the file converted to CRLF?)"},
      {header + "end 0\nextra\n", "line 3: text after the 'end' line"},
      {header + "\nend 0\n", "line 2: the created time is not a plain decimal number of ticks"},
  };
  for (const auto& c : cases) {
    auto entries = ParseJournal(c.text);
    EXPECT_EQ(entries ? "accepted" : entries.error(), c.message) << c.text;
  }
}

}  // namespace
}  // namespace cli
