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

// Gives a drive its own current folder, as cmd's "cd /d" on that drive leaves it, for the
// test's lifetime.
class DriveFolder {
 public:
  DriveFolder(const std::string& drive, const std::string& folder) : name_(L"=" + core::Utf8ToWide(drive)) {
    SetEnvironmentVariableW(name_.c_str(), core::Utf8ToWide(folder).c_str());
  }
  ~DriveFolder() { SetEnvironmentVariableW(name_.c_str(), nullptr); }

 private:
  std::wstring name_;
};

bool OnCurrentDrive(const std::string& path) {
  wchar_t current[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, current);
  return std::towupper(current[0]) == std::towupper(static_cast<wchar_t>(path[0]));
}

TEST(WithDriveFolder, ADriveRelativePathTakesThatDrivesOwnCurrentFolder) {
  testing_support::TempFolder folder;
  const std::string file = folder.MakeFile("a.txt");
  const std::string drive = folder.path().substr(0, 2);
  if (OnCurrentDrive(drive)) GTEST_SKIP() << "needs a drive other than the current folder's";
  DriveFolder current(drive, folder.path());

  EXPECT_EQ(WithDriveFolder(drive + "a.txt"), file);
  EXPECT_EQ(WithDriveFolder("C:\\x"), "C:\\x");
  EXPECT_EQ(WithDriveFolder("x\\y"), "x\\y");

  testing_support::CapturedStream out, err;
  EXPECT_EQ(RunProgram({"show", "--format", "csv", drive + "a.txt", drive + "*.txt"}, Streams{out, err}), kExitDone)
      << err.text;
}

}  // namespace
}  // namespace cli
