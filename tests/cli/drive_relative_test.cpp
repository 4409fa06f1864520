#include "cli/drive_relative.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cwctype>

#include "cli/program.h"
#include "core/text_encoding.h"
#include "tests/cli/captured_stream.h"
#include "tests/support/temp_folder.h"

namespace cli {
namespace {

TEST(WithDriveFolder, ADriveRelativePathTakesThatDrivesOwnCurrentFolder) {
  testing_support::TempFolder folder;
  const std::string file = folder.MakeFile("a.txt"), drive = folder.path().substr(0, 2);
  wchar_t current[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, current);
  if (std::towupper(current[0]) == std::towupper(drive[0])) GTEST_SKIP() << "needs another drive than the current";
  // Where "cd /d" on that drive leaves it: the process's "=C:" entry.
  const std::wstring entry = L"=" + core::Utf8ToWide(drive);
  SetEnvironmentVariableW(entry.c_str(), core::Utf8ToWide(folder.path()).c_str());

  EXPECT_EQ(WithDriveFolder(drive + "a.txt"), file);
  EXPECT_EQ(WithDriveFolder("x\\y"), "x\\y");
  testing_support::CapturedStream out, err;
  EXPECT_EQ(RunProgram({"show", drive + "a.txt", drive + "*.txt"}, Streams{out, err}), kExitDone) << err.text;
  SetEnvironmentVariableW(entry.c_str(), nullptr);
}

}  // namespace
}  // namespace cli
