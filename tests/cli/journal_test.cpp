#include "cli/journal.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

constexpr std::uint64_t kMax = 18'446'744'073'709'551'615u;

const Journal kJournal = {
    kJournalVersion,
    std::nullopt,
    {
        {R"(C:\data\report.txt)", {133'594'560'001'234'567, 0, kMax, 0x20}, PlannedChange{1, std::nullopt, 3, 0x27}},
        {R"(D:\照片\ a b  .jpg)", {1, 2, 3, 0x80000827}, PlannedChange{std::nullopt, 5, std::nullopt, std::nullopt}},
    },
};

constexpr std::string_view kText =
    "fstamp-journal 2 created modified accessed attributes written-created written-modified written-accessed "
    "written-flags path\n"
    "133594560001234567 0 18446744073709551615 00000020 1 - 3 00000027 C:\\data\\report.txt\n"
    "1 2 3 80000827 - 5 - - D:\\照片\\ a b  .jpg\n"
    "end 2\n";

std::string Header() { return std::string(kJournalHeader) + "\n"; }

TEST(Journal, WritesTheDocumentedLinesAndReadsThemBackExactly) {
  auto text = FormatJournal(kJournal);
  ASSERT_TRUE(text.has_value()) << text.error();
  EXPECT_EQ(*text, kText);
  auto journal = ParseJournal(*text);
  ASSERT_TRUE(journal.has_value()) << journal.error();
  EXPECT_EQ(*journal, kJournal);
}

TEST(Journal, VersionOneStillReadsAndAByLineAfterTheHeaderRoundTrips) {
  const Journal version1{1, std::nullopt, {{"C:\\a.txt", {10, 30, 20, 0x20}, std::nullopt}}};
  Journal withOrigin = kJournal;
  withOrigin.origin = "fstamp 9.9: set -m now D:\\Docs";
  const std::string text1 =
      "fstamp-journal 1 created accessed modified attributes path\n10 20 30 00000020 C:\\a.txt\nend 1\n";
  const std::string text2 = std::string(kText).insert(Header().size(), "by " + *withOrigin.origin + "\n");
  for (const auto& [journal, text] : {std::pair{version1, text1}, std::pair{withOrigin, text2}}) {
    auto written = FormatJournal(journal);
    ASSERT_TRUE(written.has_value()) << written.error();
    EXPECT_EQ(*written, text);
    auto read = ParseJournal(*written);
    ASSERT_TRUE(read.has_value()) << read.error();
    EXPECT_EQ(*read, journal);
  }
}

TEST(Journal, AnEmptyListIsAValidJournal) {
  auto text = FormatJournal({});
  ASSERT_TRUE(text.has_value());
  auto journal = ParseJournal(*text);
  ASSERT_TRUE(journal.has_value()) << journal.error();
  EXPECT_TRUE(journal->entries.empty());
}

TEST(Journal, RefusesToWriteWhatWouldNotReadBack) {
  const PlannedChange written{1, std::nullopt, std::nullopt, std::nullopt};
  for (const char* path : {"", "a\nb", "a\rb"}) {
    EXPECT_FALSE(FormatJournal({2, std::nullopt, {{path, {1, 2, 3, 0}, written}}}).has_value()) << path;
  }
  EXPECT_FALSE(FormatJournal({2, std::nullopt, {{std::string("a\0b", 3), {1, 2, 3, 0}, written}}}).has_value());
  EXPECT_FALSE(FormatJournal({2, std::nullopt, {{"a", {1, 2, 3, 0}, std::nullopt}}}).has_value());
  EXPECT_FALSE(FormatJournal({1, std::nullopt, {{"a", {1, 2, 3, 0}, written}}}).has_value());
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
  const std::string header = Header();
  const std::string v1 = "fstamp-journal 1 created accessed modified attributes path\n";
  const struct {
    std::string text;
    std::string message;
  } cases[] = {
      {"", "the journal is empty"},
      {"hello\n", "not an fstamp journal: the first line should be '" + std::string(kJournalHeader) + "'"},
      {"fstamp-journal 3 created\nend 0\n",
       "journal version '3' is not supported (this program reads versions 1 and 2)"},
      {"fstamp-journal 1\nend 0\n", "line 1: damaged header (expected '" + std::string(kJournalHeaderV1) + "')"},
      {header + "1 2 3 00000020 - - - - a\nend 2\n",
       "the journal is damaged: its 'end' line counts 2 entries, but 1 are present"},
      {header + "1 x 3 00000020 - - - - a\nend 1\n",
       "line 2: the modified time is not a plain decimal number of ticks"},
      {header + "01 2 3 00000020 - - - - a\nend 1\n",
       "line 2: the created time is not a plain decimal number of ticks"},
      {header + "1 2 18446744073709551616 00000020 - - - - a\nend 1\n",
       "line 2: the accessed time is not a plain decimal number of ticks"},
      {header + "1 2 3 0000002A - - - - a\nend 1\n", "line 2: the attributes are not eight lowercase hex digits"},
      {header + "1 2 3 00000020 - 07 - - a\nend 1\n",
       "line 2: the written modified time is not a plain decimal number of ticks or -"},
      {header + "1 2 3 00000020 - - - 20 a\nend 1\n",
       "line 2: the written flags are not eight lowercase hex digits or -"},
      {header + "1 2 3 00000020 - - - - \nend 1\n", "line 2: the path is missing"},
      {header + "1 2 3 00000020 - - - - a\r\nend 1\n",
       "line 2: holds a carriage return (was the file converted to CRLF?)"},
      {header + "end 0\nextra\n", "line 3: text after the 'end' line"},
      {header + "\nend 0\n", "line 2: the created time is not a plain decimal number of ticks"},
      {v1 + "by x\nend 0\n", "line 2: the created time is not a plain decimal number of ticks"},
  };
  for (const auto& c : cases) {
    auto journal = ParseJournal(c.text);
    EXPECT_EQ(journal ? "accepted" : journal.error(), c.message) << c.text;
  }
}

}  // namespace
}  // namespace cli
