#include "cli/show_output.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

const LocalStamp kNoon{TicksFromCivil({2024, 5, 1, 12, 0, 0, 1'234'567}), 8 * kTicksPerHour};

ShowRow File(std::string path, std::uint64_t size, AttributeWord attributes) {
  return {std::move(path), size, kNoon, kNoon, kNoon, attributes, std::nullopt, std::nullopt, {}};
}

ShowRow Failed(std::string path, std::string error) {
  ShowRow row;
  row.path = std::move(path);
  row.error = std::move(error);
  return row;
}

TEST(FormatTable, ColumnsLineUpByDisplayWidthWithChineseNames) {
  ShowRow folder = File("文件夹", 0, 0x10);
  folder.size.reset();
  const std::string table = FormatTable({File("a.txt", 1'234'567, kArchive), File("报告.txt", 5, kReadOnly | kHidden),
                                         folder, Failed("缺.txt", "Access is denied.\r\n")});
  EXPECT_EQ(table,
            "Path           Size  Created              Modified             Accessed             Attributes\n"
            "a.txt     1,234,567  2024-05-01 12:00:00  2024-05-01 12:00:00  2024-05-01 12:00:00  A\n"
            "报告.txt          5  2024-05-01 12:00:00  2024-05-01 12:00:00  2024-05-01 12:00:00  RH\n"
            "文件夹               2024-05-01 12:00:00  2024-05-01 12:00:00  2024-05-01 12:00:00\n"
            "缺.txt    error: Access is denied.\n");
}

TEST(FormatTable, ControlCharactersCannotReachTheTerminal) {
  const std::string table = FormatTable({Failed("a\x1b[2Jb", "bad\tthing")});
  EXPECT_NE(table.find("a?[2Jb  error: bad thing\n"), std::string::npos) << table;
}

TEST(FormatCsv, QuotesOnlyFieldsThatNeedItWithCrlfRecords) {
  const std::string csv =
      FormatCsv({File("plain.txt", 12, kReadOnly | kArchive), Failed("a,b \"c\".txt", "line one\nline two")});
  EXPECT_EQ(csv,
            "path,size,created,modified,accessed,attributes,error\r\n"
            "plain.txt,12,2024-05-01T12:00:00.1234567+08:00,2024-05-01T12:00:00.1234567+08:00,"
            "2024-05-01T12:00:00.1234567+08:00,RA,\r\n"
            "\"a,b \"\"c\"\".txt\",,,,,,\"line one\nline two\"\r\n");
}

TEST(FormatJson, EscapesStringsAndWritesNullForMissingParts) {
  const std::string json =
      FormatJson({File("C:\\照片\\\"q\".jpg", 42, 0), Failed(std::string("x\x01\t\xFF", 4), "gone")});
  EXPECT_EQ(json,
            "[\n"
            "  {\"path\": \"C:\\\\照片\\\\\\\"q\\\".jpg\", \"size\": 42, "
            "\"created\": \"2024-05-01T12:00:00.1234567+08:00\", \"modified\": \"2024-05-01T12:00:00.1234567+08:00\", "
            "\"accessed\": \"2024-05-01T12:00:00.1234567+08:00\", \"attributes\": \"\", \"error\": null},\n"
            "  {\"path\": \"x\\u0001\\t\xEF\xBF\xBD\", \"size\": null, \"created\": null, \"modified\": null, "
            "\"accessed\": null, \"attributes\": null, \"error\": \"gone\"}\n"
            "]\n");
  EXPECT_EQ(FormatJson({}), "[]\n");
}

}  // namespace
}  // namespace cli
