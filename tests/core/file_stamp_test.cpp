#include "core/file_stamp.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "core/exact_stamp.h"
#include "core/file_time_convert.h"
#include "core/win_handles.h"
#include "tests/support/file_state.h"
#include "tests/support/held_file.h"
#include "tests/support/immutable_file.h"
#include "tests/support/recording_file_api.h"
#include "tests/support/temp_folder.h"

namespace core {
namespace {

using testing_support::PathState;
using testing_support::ReadPathState;
using testing_support::RecordingFileApi;
using testing_support::SetPathAttributes;
using testing_support::SetPathTimes;
using testing_support::TempFolder;
using testing_support::Ticks;
using testing_support::UtcTime;
using Op = RecordingFileApi::Op;

constexpr LocalDateTime kCreation{2011, 2, 3, 4, 5, 6};
constexpr LocalDateTime kModification{2021, 3, 4, 10, 20, 30};
constexpr LocalDateTime kAccess{2022, 8, 9, 21, 22, 23};
constexpr DWORD kReadOnlyHidden = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;

std::uint64_t UtcTicks(const LocalDateTime& local) {
  const auto utc = LocalToFileTime(local);
  EXPECT_TRUE(utc.has_value());
  return utc ? Ticks(*utc) : 0;
}

// True when nobody else holds the path open: an open that shares nothing succeeds only then.
bool NoOtherHandleOpen(const std::string& path) {
  return UniqueFileHandle(
             CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr))
      .valid();
}

// A file with sub-second write and access times, so that exact write-backs can be told apart.
std::string MakeFileWithFractionalTimes(const TempFolder& dir, const std::string& name) {
  const std::string path = dir.MakeFile(name);
  const FILETIME access = UtcTime(2018, 1, 2, 3, 4, 5, 7654321);
  const FILETIME write = UtcTime(2019, 5, 6, 7, 8, 9, 1234567);
  SetPathTimes(path, nullptr, &access, &write);
  return path;
}

// --- Reading -----------------------------------------------------------------------------

TEST(FileSize, FilesOfFourGiBAndMoreReportTheirFull64BitSize) {
  TempFolder dir;
  const struct {
    std::uint64_t bytes;
    const char* grouped;
  } cases[] = {{4294967296, " (4,294,967,296 字节)"}, {5368709120, " (5,368,709,120 字节)"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    const std::string path = dir.MakeSparseFile("big" + std::to_string(c.bytes), c.bytes);
    const FileSize size = ReadFileSize(path);
    EXPECT_TRUE(size.found);
    EXPECT_EQ(size.bytes, c.bytes);
    EXPECT_EQ(ReadFileStamp(path).size, c.bytes);
    EXPECT_EQ(FormatSizeText(c.bytes), FormatByteSize(c.bytes) + c.grouped);
    EXPECT_NE(FormatByteSize(c.bytes), FormatByteSize(c.bytes & 0xFFFFFFFF));
  }
}

TEST(FileSize, ZeroByteFileTextEndsWithZeroBytes) {
  TempFolder dir;
  const FileSize size = ReadFileSize(dir.MakeFile("empty", ""));
  EXPECT_TRUE(size.found);
  EXPECT_EQ(size.bytes, 0u);
  EXPECT_FALSE(FormatByteSize(0).empty());
  EXPECT_EQ(FormatSizeText(0), FormatByteSize(0) + " (0 字节)");
}

TEST(PathExists, EmptyPathDoesNotExistAndAFolderDoes) {
  TempFolder dir;
  EXPECT_FALSE(PathExists(""));
  EXPECT_FALSE(ReadFileSize("").found);
  const FileStamp stamp = ReadFileStamp("");
  EXPECT_FALSE(stamp.sizeFound || stamp.timesRead || stamp.attributesRead);
  EXPECT_TRUE(PathExists(dir.path()));
  EXPECT_FALSE(PathExists(dir.Child("missing")));
}

TEST(PathExists, WildcardExistsWhenAnythingMatchesAndItsSizeIsTheFirstMatch) {
  TempFolder dir;
  dir.MakeFile("match-one.txt", "123");
  dir.MakeFile("match-two.txt", "1234567");
  EXPECT_TRUE(PathExists(dir.Child("match-*.txt")));
  EXPECT_FALSE(PathExists(dir.Child("nothing-*.txt")));

  WIN32_FIND_DATAA first;
  UniqueFindHandle search(FindFirstFileA(dir.Child("match-*").c_str(), &first));
  ASSERT_TRUE(search);
  const FileSize size = ReadFileSize(dir.Child("match-*"));
  EXPECT_TRUE(size.found);
  EXPECT_EQ(size.bytes, first.nFileSizeLow);
}

TEST(ReadFileTimes, OpensForAttributesOnlyAndPutsEachTimeInItsOwnField) {
  TempFolder dir;
  const std::string path = dir.MakeFile("times.txt");
  const FILETIME access = UtcTime(2015, 6, 7, 8, 9, 10);
  const FILETIME write = UtcTime(2016, 11, 12, 13, 14, 15);
  SetPathTimes(path, nullptr, &access, &write);

  RecordingFileApi api;
  const auto times = ReadFileTimes(path);
  ASSERT_TRUE(times.has_value());
  EXPECT_EQ(times->modification, FileTimeToLocal(write));
  EXPECT_EQ(times->access, FileTimeToLocal(access));
  EXPECT_EQ(times->creation, FileTimeToLocal(testing_support::FromTicks(ReadPathState(path).creation)));
  const auto opens = api.CallsOf(Op::OpenFile);
  ASSERT_EQ(opens.size(), 1u);
  EXPECT_EQ(opens[0].path, testing_support::PlatformForm(path));
  EXPECT_EQ(opens[0].access, DWORD{FILE_READ_ATTRIBUTES});
  EXPECT_EQ(opens[0].share, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE});
  EXPECT_EQ(opens[0].disposition, DWORD{OPEN_EXISTING});
  EXPECT_EQ(opens[0].flags, DWORD{FILE_FLAG_OPEN_REPARSE_POINT});  // a link itself, and no folders
  EXPECT_TRUE(NoOtherHandleOpen(path));
}

TEST(ReadFileTimes, FileHeldOpenWithoutSharingShowsItsOwnTimes) {
  TempFolder dir;
  const std::string path = MakeFileWithFractionalTimes(dir, "held.txt");
  testing_support::HeldFile holder(path);
  ASSERT_TRUE(holder.held());
  const auto times = ReadFileTimes(path);
  ASSERT_TRUE(times.has_value());
  EXPECT_EQ(times->modification, FileTimeToLocal(UtcTime(2019, 5, 6, 7, 8, 9)));
}

TEST(ReadFileTimes, FailedTimeQueryClosesTheHandle) {
  TempFolder dir;
  const std::string path = dir.MakeFile("times.txt");
  RecordingFileApi api;
  api.Fail(Op::QueryTimes);
  EXPECT_FALSE(ReadFileTimes(path).has_value());
  api.Fail(Op::QueryTimes, 2);
  const FileStamp stamp = ReadFileStamp(path);
  EXPECT_FALSE(stamp.timesRead);
  EXPECT_TRUE(stamp.sizeFound && stamp.attributesRead);  // a failing part does not stop the others
  EXPECT_TRUE(NoOtherHandleOpen(path));
}

TEST(Attributes, ReadsKeepTheFlagsAndDirectoryBit) {
  TempFolder dir;
  const std::string path = dir.MakeFile("flags.txt");
  EXPECT_EQ(ReadAttributes(dir.Child("missing")), KeepAttributes);
  RecordingFileApi api;
  api.AnswerAttributes(0xFFFF);  // compressed, encrypted, not indexed and more besides
  EXPECT_EQ(ReadAttributes(path), 0x37);
}

// Bits this file system cannot hold (not indexed, temporary, offline, pinned) are answered
// through the seam; a write must carry them back unchanged.
TEST(Attributes, WritesChangeOnlyTheFourFlagsAndKeepEveryOtherBit) {
  constexpr DWORD kPinned = 0x00080000;  // FILE_ATTRIBUTE_PINNED, newer than MinGW's headers
  constexpr DWORD kOthers =
      FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE | kPinned;
  const struct {
    DWORD before;
    AttributeSet flags;
    DWORD written;
  } cases[] = {
      {kOthers | FILE_ATTRIBUTE_READONLY, kHidden | kArchive, kOthers | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE},
      {kOthers | FILE_ATTRIBUTE_SYSTEM, 0, kOthers},
      {FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, 0, FILE_ATTRIBUTE_NORMAL},  // never an empty word
      {FILE_ATTRIBUTE_NORMAL, kReadOnly, FILE_ATTRIBUTE_READONLY},
      {kOthers | FILE_ATTRIBUTE_ARCHIVE, 0xFFFF, kOthers | 0x27},
  };
  TempFolder dir;
  const std::string path = dir.MakeFile("flags.txt");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.before);
    RecordingFileApi api;
    api.AnswerAttributes(c.before);
    EXPECT_TRUE(WriteAttributes(path, c.flags));
    ASSERT_EQ(api.CallsOf(Op::SetBasicInfo).size(), 1u);
    EXPECT_EQ(api.CallsOf(Op::SetBasicInfo)[0].attributes, c.written);
    api.Fail(Op::SetBasicInfo, 2);
    EXPECT_FALSE(WriteAttributes(path, c.flags));  // a refused write is reported
  }
}

// --- Applying ----------------------------------------------------------------------------

TEST(ApplyFileStamp, ReadOnlyHiddenFileWithKeptFlagsGetsNewTimesWithoutItsFlagsBeingTouched) {
  TempFolder dir;
  const std::string path = dir.MakeFile("a.txt");
  SetPathAttributes(path, kReadOnlyHidden);
  const AttributeSet before = ReadAttributes(path);

  RecordingFileApi api;
  ASSERT_TRUE(ApplyFileStamp(path, KeepTime, kModification, kAccess, KeepAttributes));
  EXPECT_EQ(api.Ops(), (std::vector<Op>{Op::QueryAttributes, Op::OpenFile, Op::SetBasicInfo}));
  EXPECT_EQ(api.CallsOf(Op::SetBasicInfo)[0].attributes, 0u);  // the word is left alone

  EXPECT_EQ(ReadAttributes(path), before);
  const PathState after = ReadPathState(path);
  EXPECT_EQ(after.modification, UtcTicks(kModification));
  EXPECT_EQ(after.access, UtcTicks(kAccess));
  EXPECT_TRUE(NoOtherHandleOpen(path));
}

TEST(ApplyFileStamp, GivenFlagWordReplacesTheWholeSetOfFourFlags) {
  TempFolder dir;
  const std::string path = dir.MakeFile("a.txt");
  for (const AttributeSet given : {kReadOnly, AttributeSet{0}}) {
    SCOPED_TRACE(given);
    SetPathAttributes(path, kReadOnlyHidden | FILE_ATTRIBUTE_SYSTEM);
    ASSERT_TRUE(ApplyFileStamp(path, KeepTime, kModification, KeepTime, given));
    EXPECT_EQ(ReadAttributes(path) & (kReadOnly | kHidden | kSystem), given);
    EXPECT_EQ(ReadPathState(path).modification, UtcTicks(kModification));
  }
}

TEST(ApplyFileStamp, FileWithoutReadOnlyAndKeptFlagsNeverHasItsFlagsWritten) {
  TempFolder dir;
  const std::string path = dir.MakeFile("a.txt");
  SetPathAttributes(path, FILE_ATTRIBUTE_HIDDEN);
  const AttributeSet before = ReadAttributes(path);
  RecordingFileApi api;
  ASSERT_TRUE(ApplyFileStamp(path, kCreation, kModification, kAccess, KeepAttributes));
  EXPECT_TRUE(api.CallsOf(Op::QueryBasicInfo).empty());
  ASSERT_EQ(api.CallsOf(Op::SetBasicInfo).size(), 1u);
  EXPECT_EQ(api.CallsOf(Op::SetBasicInfo)[0].attributes, 0u);
  EXPECT_EQ(ReadAttributes(path), before);
}

TEST(ApplyFileStamp, PathIsOpenedItselfForAttributeAccessSharingEverything) {
  TempFolder dir;
  const std::string path = dir.MakeFile("a.txt");
  RecordingFileApi api;
  ASSERT_TRUE(ApplyFileStamp(path, kCreation, kModification, kAccess, KeepAttributes));
  const auto opens = api.CallsOf(Op::OpenFile);
  ASSERT_EQ(opens.size(), 1u);
  EXPECT_EQ(opens[0].path, testing_support::PlatformForm(path));
  EXPECT_EQ(opens[0].access, DWORD{FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES});
  EXPECT_EQ(opens[0].share, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE});
  EXPECT_EQ(opens[0].disposition, DWORD{OPEN_EXISTING});
  // Folders open only with backup semantics; a link or junction is stamped itself.
  EXPECT_EQ(opens[0].flags, DWORD{FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT});
}

TEST(ApplyFileStamp, FolderIsStampedWithBackupSemanticsButYieldsNoTimesOnRead) {
  TempFolder dir;
  const std::string folder = dir.MakeFolder("sub");
  RecordingFileApi api;
  ASSERT_TRUE(ApplyFileStamp(folder, KeepTime, kModification, kAccess, kHidden | kSystem));
  ASSERT_EQ(api.CallsOf(Op::OpenFile).size(), 1u);

  const PathState after = ReadPathState(folder);
  EXPECT_EQ(after.modification, UtcTicks(kModification));
  EXPECT_EQ(after.access, UtcTicks(kAccess));
  EXPECT_EQ(ReadAttributes(folder), kDirectory | kHidden | kSystem);

  EXPECT_FALSE(ReadFileTimes(folder).has_value());
  const FileStamp stamp = ReadFileStamp(folder);
  EXPECT_TRUE(stamp.attributesRead);
  EXPECT_TRUE(stamp.isDirectory);
  EXPECT_FALSE(stamp.timesRead);
}

TEST(ApplyFileStamp, OneWriteCarriesEachTimeInItsOwnField) {
  TempFolder dir;
  const std::string path = dir.MakeFile("a.txt");
  // Whether this file system keeps a creation time at all (Wine on Linux does not).
  const FILETIME probe = UtcTime(2001, 1, 1, 0, 0, 0);
  SetPathTimes(path, &probe, nullptr, nullptr);
  const bool keepsCreation = ReadPathState(path).creation == Ticks(probe);

  RecordingFileApi api;
  ASSERT_TRUE(ApplyFileStamp(path, kCreation, kModification, kAccess, KeepAttributes));
  const auto sets = api.CallsOf(Op::SetBasicInfo);
  ASSERT_EQ(sets.size(), 1u);
  ASSERT_TRUE(sets[0].creation && sets[0].lastAccess && sets[0].lastWrite);
  EXPECT_EQ(Ticks(*sets[0].creation), UtcTicks(kCreation));
  EXPECT_EQ(Ticks(*sets[0].lastAccess), UtcTicks(kAccess));
  EXPECT_EQ(Ticks(*sets[0].lastWrite), UtcTicks(kModification));

  const PathState after = ReadPathState(path);
  if (keepsCreation) {
    EXPECT_EQ(after.creation, UtcTicks(kCreation));
  }
  EXPECT_EQ(after.access, UtcTicks(kAccess));
  EXPECT_EQ(after.modification, UtcTicks(kModification));
}

TEST(ApplyFileStamp, KeptTimeIsLeftExactlyAsItWas) {
  TempFolder dir;
  const std::string path = MakeFileWithFractionalTimes(dir, "a.txt");
  const PathState before = ReadPathState(path);
  ASSERT_NE(before.modification % 10'000'000, 0u);

  RecordingFileApi api;
  ASSERT_TRUE(ApplyFileStamp(path, KeepTime, KeepTime, kAccess, KeepAttributes));
  const auto sets = api.CallsOf(Op::SetBasicInfo);
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_FALSE(sets[0].creation || sets[0].lastWrite);  // zero: the platform leaves them
  const PathState after = ReadPathState(path);
  EXPECT_EQ(after.modification, before.modification);
  EXPECT_EQ(after.access, UtcTicks(kAccess));
}

TEST(ApplyFileStamp, AllTimesKeptWithNewFlagsWritesOnlyTheFlags) {
  TempFolder dir;
  const std::string path = MakeFileWithFractionalTimes(dir, "a.txt");
  const PathState before = ReadPathState(path);

  RecordingFileApi api;
  ASSERT_TRUE(ApplyFileStamp(path, KeepTime, KeepTime, KeepTime, kHidden));
  EXPECT_EQ(api.Ops(), (std::vector<Op>{Op::QueryAttributes, Op::OpenFile, Op::QueryBasicInfo, Op::SetBasicInfo}));
  const auto sets = api.CallsOf(Op::SetBasicInfo);
  EXPECT_FALSE(sets[0].creation || sets[0].lastAccess || sets[0].lastWrite);

  const PathState after = ReadPathState(path);
  EXPECT_EQ(after.creation, before.creation);
  EXPECT_EQ(after.access, before.access);
  EXPECT_EQ(after.modification, before.modification);
  EXPECT_EQ(ReadAttributes(path) & (kReadOnly | kHidden | kSystem), kHidden);
}

// Times given back as they were shown (to the second) are times nobody changed: they keep
// their instant to the 100 ns, with or without new flags.
TEST(ApplyFileStamp, TimesGivenAsTheyReadKeepTheirExactInstant) {
  TempFolder dir;
  const std::string path = MakeFileWithFractionalTimes(dir, "a.txt");
  const PathState before = ReadPathState(path);
  ASSERT_NE(before.access % 10'000'000, 0u);
  const auto times = ReadFileTimes(path);
  ASSERT_TRUE(times && times->creation && times->modification && times->access);

  for (const AttributeSet flags : {KeepAttributes, kHidden}) {
    RecordingFileApi api;
    ASSERT_TRUE(ApplyFileStamp(path, *times->creation, *times->modification, *times->access, flags));
    for (const auto& set : api.CallsOf(Op::SetBasicInfo)) EXPECT_FALSE(set.creation || set.lastAccess || set.lastWrite);
    const PathState after = ReadPathState(path);
    EXPECT_EQ(after.creation, before.creation);
    EXPECT_EQ(after.modification, before.modification);
    EXPECT_EQ(after.access, before.access);
  }
  EXPECT_EQ(ReadAttributes(path) & kHidden, kHidden);
}

// The flags are merged into the word the open path holds, not into one read before: a bit
// another program set in between stays.
TEST(ApplyFileStamp, FlagsAreMergedIntoTheWordReadThroughTheOpenHandle) {
  constexpr DWORD kPinned = 0x00080000;  // FILE_ATTRIBUTE_PINNED, newer than MinGW's headers
  TempFolder dir;
  const std::string path = dir.MakeFile("a.txt");
  RecordingFileApi api;
  api.AnswerAttributes(FILE_ATTRIBUTE_ARCHIVE);
  api.BeforeNextOpen([&api] { api.AnswerAttributes(FILE_ATTRIBUTE_ARCHIVE | kPinned); });
  ASSERT_TRUE(ApplyFileStamp(path, KeepTime, kModification, KeepTime, kHidden));
  const auto sets = api.CallsOf(Op::SetBasicInfo);
  ASSERT_EQ(sets.size(), 1u);  // word and time together
  EXPECT_EQ(sets[0].attributes, kPinned | FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(sets[0].lastWrite.has_value());
  EXPECT_EQ(Ticks(*sets[0].lastWrite), UtcTicks(kModification));
}

TEST(ApplyFileStamp, FileHeldOpenWithoutSharingIsStillStamped) {
  TempFolder dir;
  const std::string path = dir.MakeFile("held.txt");
  SetPathAttributes(path, kReadOnlyHidden);
  {
    testing_support::HeldFile holder(path);
    ASSERT_TRUE(holder.held());
    EXPECT_TRUE(ApplyFileStamp(path, KeepTime, kModification, KeepTime, kSystem));
  }
  const PathState after = ReadPathState(path);
  EXPECT_EQ(after.modification, UtcTicks(kModification));
  EXPECT_EQ(after.attributes & (kReadOnly | kHidden | kSystem), DWORD(kSystem));
}

// --- Failure exits -----------------------------------------------------------------------

// A read-only, hidden file with sub-second times: every failure below must leave all of it.
class ApplyFileStampFailure : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = MakeFileWithFractionalTimes(dir_, "target.txt");
    SetPathAttributes(path_, kReadOnlyHidden);
    before_ = ReadPathState(path_);
  }
  void ExpectUnchanged() {
    EXPECT_EQ(ReadPathState(path_), before_);
    EXPECT_TRUE(NoOtherHandleOpen(path_));
  }

  TempFolder dir_;
  std::string path_;
  PathState before_;
  RecordingFileApi api_;
};

TEST_F(ApplyFileStampFailure, AttributeQueryFailureTouchesNothing) {
  api_.Fail(Op::QueryAttributes);
  EXPECT_FALSE(ApplyFileStamp(path_, kCreation, kModification, kAccess, 0));
  EXPECT_EQ(api_.Ops(), std::vector<Op>{Op::QueryAttributes});
  ExpectUnchanged();
  EXPECT_FALSE(ApplyFileStamp(dir_.Child("missing"), kCreation, kModification, kAccess, 0));
}

TEST_F(ApplyFileStampFailure, OpenFailsAndNothingIsWritten) {
  api_.Fail(Op::OpenFile);
  EXPECT_FALSE(ApplyFileStamp(path_, kCreation, kModification, kAccess, 0));
  EXPECT_EQ(api_.Ops(), (std::vector<Op>{Op::QueryAttributes, Op::OpenFile}));
  ExpectUnchanged();
}

TEST_F(ApplyFileStampFailure, RefusedWriteOrWordReadLeavesTimesAndFlagsAsTheyWere) {
  for (const Op failing : {Op::QueryBasicInfo, Op::SetBasicInfo}) {
    SCOPED_TRACE(testing_support::OpName(failing));
    RecordingFileApi api;
    api.Fail(failing);
    EXPECT_FALSE(ApplyFileStamp(path_, KeepTime, kModification, kAccess, 0));
    EXPECT_LE(api.CallsOf(Op::SetBasicInfo).size(), 1u);  // one write, no second try, no rollback
    ExpectUnchanged();
  }
}

TEST_F(ApplyFileStampFailure, FileThatRefusesEveryChangeFailsAndStaysAsItWas) {
  testing_support::ImmutableFile lock(path_);
  if (!lock.locked()) GTEST_SKIP() << "needs chattr +i on the Linux side";
  EXPECT_FALSE(ApplyFileStamp(path_, kCreation, kModification, kAccess, kSystem));
  EXPECT_FALSE(ApplyFileStamp(path_, KeepTime, KeepTime, KeepTime, 0));
  EXPECT_FALSE(ApplyFileStamp(path_, KeepTime, kModification, KeepTime, KeepAttributes));
  EXPECT_EQ(ReadPathState(path_), before_);
}

TEST_F(ApplyFileStampFailure, TimesThePlatformCannotHoldAreRefusedBeforeAnythingIsTouched) {
  const LocalDateTime tooEarly[] = {{1600, 6, 1, 12, 0, 0}, {100, 1, 1, 0, 0, 1}};
  for (const LocalDateTime& early : tooEarly) {
    EXPECT_FALSE(ApplyFileStamp(path_, kCreation, kModification, early, 0));
    EXPECT_FALSE(ApplyFileStamp(path_, early, KeepTime, KeepTime, KeepAttributes));
  }
  EXPECT_TRUE(api_.CallsOf(Op::OpenFile).empty());
  // The platform reads tick 0 as "leave it" and all ones as "stop updating it".
  for (const std::uint64_t ticks : {std::uint64_t{0}, ~std::uint64_t{0}}) {
    StampChange change;
    change.modification = ticks;
    EXPECT_EQ(WriteStamp(path_, change), DWORD{ERROR_INVALID_PARAMETER});
  }
  ExpectUnchanged();
}

// --- Names -------------------------------------------------------------------------------

TEST(FileNames, ChineseJapaneseCyrillicAndEmojiNamesAreReadAndStamped) {
  TempFolder dir;
  for (const char* name : {"中文文件名.txt", "日本語のファイル.txt", "Кириллица.txt", "emoji😀🎉.txt"}) {
    SCOPED_TRACE(name);
    const std::string path = dir.MakeFile(name, "12345");
    const FileStamp stamp = ReadFileStamp(path);
    EXPECT_TRUE(stamp.sizeFound && stamp.timesRead && stamp.attributesRead);
    EXPECT_EQ(stamp.size, 5u);
    ASSERT_TRUE(ApplyFileStamp(path, KeepTime, kModification, KeepTime, kHidden));
    // Checked through the wide calls, so the name must have reached the platform intact.
    const PathState after = ReadPathState(path);
    EXPECT_EQ(after.modification, UtcTicks(kModification));
    EXPECT_TRUE(after.attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(ReadFileTimes(path)->modification, kModification);
  }
  const std::string folder = dir.MakeFolder("文件夹");
  EXPECT_TRUE(ApplyFileStamp(folder, KeepTime, kModification, KeepTime, KeepAttributes));
  EXPECT_EQ(ReadPathState(folder).modification, UtcTicks(kModification));
}

TEST(FileNames, PathLongerThanMaxPathIsReadAndStamped) {
  TempFolder dir;
  std::string relative;
  while (dir.path().size() + relative.size() < 300) {
    relative += (relative.empty() ? "" : "\\") + std::string(60, 'd');
    dir.MakeFolder(relative);
  }
  const std::string path = dir.MakeFile(relative + "\\file.txt", "12345");
  SetPathAttributes(path, kReadOnlyHidden);
  const PathState before = ReadPathState(path);

  const FileStamp stamp = ReadFileStamp(path);
  EXPECT_TRUE(stamp.sizeFound && stamp.timesRead && stamp.attributesRead);
  EXPECT_EQ(stamp.size, 5u);
  EXPECT_TRUE(PathExists(path));
  ASSERT_TRUE(ApplyFileStamp(path, KeepTime, kModification, KeepTime, KeepAttributes));
  const PathState after = ReadPathState(path);
  EXPECT_EQ(after.modification, UtcTicks(kModification));
  EXPECT_EQ(after.attributes, before.attributes);
}

// Names that Win32's path rules would turn into a device or another name are the files they
// name: reserved device names, and names ending in a dot or a blank.
TEST(FileNames, DeviceNamesAndNamesEndingInADotOrBlankAreTheFilesTheyName) {
  TempFolder dir;
  for (const char* name : {"CON", "nul.txt", "COM1.log", "ends in dot.", "ends in blank "}) {
    SCOPED_TRACE(name);
    const std::string path = dir.MakeFile(name, "123");
    EXPECT_EQ(ReadFileSize(path).bytes, 3u);
    EXPECT_EQ(ReadFileTimes(path).has_value(), true);
    ASSERT_TRUE(ApplyFileStamp(path, KeepTime, kModification, KeepTime, kHidden));
    const PathState after = ReadPathState(path);
    EXPECT_EQ(after.modification, UtcTicks(kModification));
    EXPECT_TRUE(after.attributes & FILE_ATTRIBUTE_HIDDEN);
  }
}

}  // namespace
}  // namespace core
