#include "app/command_line.h"

#include <gtest/gtest.h>

namespace app {
namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLine, SkipsTheProgramNameQuotedOrNot) {
  EXPECT_EQ(SplitCommandLine(R"("C:\my tools\filestamp.exe" a.txt)"), Args{"a.txt"});
  EXPECT_EQ(SplitCommandLine(R"(C:\tools\filestamp.exe a.txt)"), Args{"a.txt"});
  EXPECT_EQ(SplitCommandLine("filestamp.exe"), Args{});
  EXPECT_EQ(SplitCommandLine(""), Args{});
  EXPECT_EQ(SplitCommandLine(R"("unterminated name)"), Args{});
}

TEST(SplitCommandLine, BlanksAndControlBytesSeparateArguments) {
  EXPECT_EQ(SplitCommandLine("p a\tb\r\nc   d"), (Args{"a", "b", "c", "d"}));
}

TEST(SplitCommandLine, QuotedRunIsOneArgumentWithoutItsQuotes) {
  EXPECT_EQ(SplitCommandLine(R"(p "C:\My Files\a b.txt" c)"), (Args{R"(C:\My Files\a b.txt)", "c"}));
  EXPECT_EQ(SplitCommandLine(R"(p "")"), Args{""});
  EXPECT_EQ(SplitCommandLine(R"(p "open ended)"), Args{"open ended"});
}

TEST(SplitCommandLine, UnquotedArgumentEndsAtAQuote) {
  EXPECT_EQ(SplitCommandLine(R"(p ab"cd e")"), (Args{"ab", "cd e"}));
}

TEST(SplitCommandLine, MultiByteCharactersNeverSplitOrSwallowTheNextByte) {
  // "文件" ends in a byte >= 0x80; the quote and blank right after it must still count.
  EXPECT_EQ(SplitCommandLine("p \"D:\\照片\\文件\" x"), (Args{"D:\\照片\\文件", "x"}));
  EXPECT_EQ(SplitCommandLine("p 文件 x"), (Args{"文件", "x"}));
  EXPECT_EQ(SplitCommandLine("p 文件\"b c\""), (Args{"文件", "b c"}));
  EXPECT_EQ(SplitCommandLine("p Привет 😀.txt"), (Args{"Привет", "😀.txt"}));
  // A lone lead byte at the very end is kept, not read past.
  EXPECT_EQ(SplitCommandLine("p a\xE6"), Args{"a\xE6"});
}

}  // namespace
}  // namespace app
