#include "core/whole_file.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>

#include "core/volume_info.h"
#include "tests/support/file_state.h"
#include "tests/support/recording_file_api.h"
#include "tests/support/temp_folder.h"

namespace core {
namespace {

using testing_support::RecordingFileApi;
using testing_support::TempFolder;
using Op = RecordingFileApi::Op;

const std::string kBytes = std::string("line one\r\n照片 \0 two\n", 24) + std::string(3 << 20, 'x');

bool Exists(const std::string& path) {
  return GetFileAttributesW(testing_support::WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(WholeFile, WritesExactlyTheBytesAndFlushesThemBeforeReturning) {
  TempFolder folder;
  const std::string path = folder.Child("journal");
  RecordingFileApi api;

  ASSERT_EQ(WriteNewFileDurably(path, kBytes), 0u);

  const auto ops = api.Ops();
  ASSERT_FALSE(ops.empty());
  EXPECT_EQ(ops.back(), Op::FlushFile);
  std::string read;
  EXPECT_EQ(ReadWholeFile(path, read), 0u);
  EXPECT_EQ(read, kBytes);
}

TEST(WholeFile, NeverOverwritesAFileThatIsThere) {
  TempFolder folder;
  const std::string path = folder.MakeFile("journal", "earlier");

  EXPECT_EQ(WriteNewFileDurably(path, "later"), static_cast<DWORD>(ERROR_FILE_EXISTS));

  std::string read;
  ASSERT_EQ(ReadWholeFile(path, read), 0u);
  EXPECT_EQ(read, "earlier");
}

TEST(WholeFile, AWriteOrFlushThatFailsLeavesNoFile) {
  for (const auto& [op, occurrence] : {std::pair{Op::WriteBytes, 2}, std::pair{Op::FlushFile, 1}}) {
    TempFolder folder;
    const std::string path = folder.Child("journal");
    RecordingFileApi api;
    api.Fail(op, occurrence);  // the second write comes after the first megabyte

    EXPECT_EQ(WriteNewFileDurably(path, kBytes), static_cast<DWORD>(ERROR_ACCESS_DENIED)) << OpName(op);
    EXPECT_FALSE(Exists(path)) << OpName(op);
  }
}

TEST(WholeFile, ReadingAMissingFileGivesTheSystemsError) {
  TempFolder folder;
  std::string read = "left over";
  EXPECT_EQ(ReadWholeFile(folder.Child("missing"), read), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(read, "");
}

TEST(VolumeInfo, AFolderNamesItsFileSystemAndAMissingOneNothing) {
  TempFolder folder;
  EXPECT_NE(FileSystemNameAt(testing_support::WidePath(folder.path()) + L"\\"), "");
  EXPECT_EQ(FileSystemNameAt(testing_support::WidePath(folder.Child("missing")) + L"\\"), "");
}

}  // namespace
}  // namespace core
