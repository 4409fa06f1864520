#include "core/extended_path.h"

#include <gtest/gtest.h>

#include <string>

namespace core {
namespace {

constexpr char kCurrent[] = "C:\\prog\\bin";

TEST(ExtendedPath, AbsoluteRelativeRootedAndNetworkPathsGetTheirExtendedForm) {
  const struct {
    const char* given;
    const char* expected;
  } cases[] = {
      {"C:\\a\\b.txt", "\\\\?\\C:\\a\\b.txt"},
      {"C:/a/b.txt", "\\\\?\\C:\\a\\b.txt"},
      {"C:\\a\\\\b\\.\\c\\..\\d", "\\\\?\\C:\\a\\b\\d"},
      {"C:\\A\\", "\\\\?\\C:\\A"},
      {"C:\\", "\\\\?\\C:\\"},
      {"C:\\..\\..\\x", "\\\\?\\C:\\x"},
      {"b.txt", "\\\\?\\C:\\prog\\bin\\b.txt"},
      {"..\\b.txt", "\\\\?\\C:\\prog\\b.txt"},
      {"\\top\\b.txt", "\\\\?\\C:\\top\\b.txt"},
      {"C:rel", "\\\\?\\C:\\prog\\bin\\rel"},
      {"D:rel", "\\\\?\\D:\\rel"},
      {"\\\\server\\share\\dir\\f", "\\\\?\\UNC\\server\\share\\dir\\f"},
      {"\\\\server\\share\\..\\..\\f", "\\\\?\\UNC\\server\\share\\f"},
      {"\\\\?\\C:\\keep\\..\\as is", "\\\\?\\C:\\keep\\..\\as is"},
      {"\\\\.\\PhysicalDrive0", "\\\\.\\PhysicalDrive0"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ExtendedPath(c.given, kCurrent), c.expected) << c.given;
}

TEST(ExtendedPath, NamesWin32WouldRewriteArriveAsTheyAre) {
  for (const char* name : {"CON", "nul.txt", "COM1.log", "ends in dot.", "ends in blank ", "...", "中文 名字.txt"}) {
    EXPECT_EQ(ExtendedPath(std::string("C:\\d\\") + name, kCurrent), std::string("\\\\?\\C:\\d\\") + name);
    EXPECT_EQ(ExtendedPath(name, kCurrent), std::string("\\\\?\\C:\\prog\\bin\\") + name);
  }
}

TEST(ExtendedPath, RelativePathsUnderANetworkFolderStayOnItsShare) {
  EXPECT_EQ(ExtendedPath("x\\..\\..\\..\\y", "\\\\srv\\share\\dir"), "\\\\?\\UNC\\srv\\share\\y");
  EXPECT_EQ(ExtendedPath("\\y", "\\\\srv\\share\\dir"), "\\\\?\\UNC\\srv\\share\\y");
}

TEST(ExtendedPath, LengthIsNeverLimited) {
  std::string deep = "C:";
  for (int i = 0; i < 200; ++i) deep += "\\" + std::string(60, 'd');
  EXPECT_EQ(ExtendedPath(deep, kCurrent), "\\\\?\\" + deep);
}

}  // namespace
}  // namespace core
