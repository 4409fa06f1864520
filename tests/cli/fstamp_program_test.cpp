// fstamp.exe driven as a process, as a script or a person would run it: exit codes, what it
// prints on stdout and stderr, and the files on disk.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/time_ticks.h"
#include "core/file_time_convert.h"
#include "core/system_error.h"
#include "core/whole_file.h"
#include "tests/support/console_program.h"
#include "tests/support/file_state.h"
#include "tests/support/immutable_file.h"
#include "tests/support/main_window_harness.h"
#include "tests/support/temp_folder.h"

namespace {

using testing_support::ConsoleRun;
using testing_support::KnownWrite;
using testing_support::MakeStampedFile;
using testing_support::PathState;
using testing_support::ReadPathState;
using testing_support::RunFstamp;
using testing_support::TempFolder;
using testing_support::Ticks;
using testing_support::UtcTime;

constexpr DWORD kFlags = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                         FILE_ATTRIBUTE_ARCHIVE;
constexpr std::uint64_t kHour = 36'000'000'000;

std::uint64_t Utc(int year, int month, int day, int hour, int minute, int second, std::uint64_t extra = 0) {
  return Ticks(UtcTime(year, month, day, hour, minute, second, extra));
}

// What fstamp prints for a UTC instant: ISO 8601 with this zone's offset at that instant.
std::string Iso(std::uint64_t utc) {
  const std::int64_t offset = core::LocalOffsetAt(core::FromTicks(utc)).value();
  return cli::FormatIso8601(static_cast<cli::Ticks>(utc) + offset, offset);
}

void SetTimes(const std::string& path, std::uint64_t access, std::uint64_t write) {
  const FILETIME a = core::FromTicks(access), w = core::FromTicks(write);
  testing_support::SetPathTimes(path, nullptr, &a, &w);
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string SystemText(DWORD error) { return core::SystemErrorText(error); }

// --- show ---------------------------------------------------------------------------------

TEST(FstampShow, CsvListsWildcardMatchesInNameOrderAsExactBytes) {
  TempFolder folder;
  const std::string b = MakeStampedFile(folder, "b.txt", "12345", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  const std::string a = MakeStampedFile(folder, "照片 a,1.txt", "x", FILE_ATTRIBUTE_ARCHIVE);
  folder.MakeFile("c.dat");

  const ConsoleRun run = RunFstamp({"show", "--format", "csv", "*.txt"}, folder.path());

  EXPECT_EQ(run.exitCode, 0u) << run.err;
  const PathState sa = ReadPathState(a), sb = ReadPathState(b);
  EXPECT_EQ(run.out, "path,size,created,modified,accessed,attributes,error\r\n"
                     "b.txt,5," + Iso(sb.creation) + "," + Iso(sb.write) + "," + Iso(sb.access) + ",HA,\r\n"
                     "\"照片 a,1.txt\",1," + Iso(sa.creation) + "," + Iso(sa.write) + "," + Iso(sa.access) + ",A,\r\n");
  EXPECT_EQ(run.err, "");
}

TEST(FstampShow, JsonWalksAFolderTopDownWithNullSizesForFolders) {
  TempFolder folder;
  folder.MakeFolder("文件夹");
  MakeStampedFile(folder, "文件夹\\报告.txt", "abc");

  const ConsoleRun run = RunFstamp({"show", "--format=json", "-r", "文件夹"}, folder.path());

  EXPECT_EQ(run.exitCode, 0u) << run.err;
  const std::size_t folderRow = run.out.find("{\"path\": \"文件夹\", \"size\": null, ");
  const std::size_t fileRow = run.out.find("{\"path\": \"文件夹\\\\报告.txt\", \"size\": 3, ");
  ASSERT_NE(folderRow, std::string::npos) << run.out;
  ASSERT_NE(fileRow, std::string::npos) << run.out;
  EXPECT_LT(folderRow, fileRow);
  EXPECT_TRUE(Contains(run.out, "\"modified\": \"" + Iso(Ticks(KnownWrite())) + "\"")) << run.out;
}

TEST(FstampShow, TableShowsEachPathAndAPathThatCannotBeReadFailsOnStderr) {
  TempFolder folder;
  MakeStampedFile(folder, "照片.jpg", std::string(1234, 'x'), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);

  const ConsoleRun run = RunFstamp({"照片.jpg", "missing.txt"}, folder.path());

  EXPECT_EQ(run.exitCode, 1u);
  const std::string missing = SystemText(ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(run.err, "fstamp: missing.txt: " + missing + "\n");
  const std::size_t row = run.out.find("\n照片.jpg ");
  ASSERT_NE(row, std::string::npos) << run.out;
  const std::string line = run.out.substr(row + 1, run.out.find('\n', row + 1) - row - 1);
  EXPECT_TRUE(Contains(line, " 1,234 ")) << line;
  EXPECT_EQ(line.substr(line.size() - 4), "  RA") << line;
  EXPECT_TRUE(Contains(run.out, "\nmissing.txt  error: " + missing + "\n")) << run.out;
}

// --- set: WHEN ----------------------------------------------------------------------------

TEST(FstampSet, AnInstantWithZIsWrittenToTheTickAndOnlyThatTimeChanges) {
  TempFolder folder;
  const std::string path = MakeStampedFile(folder, "a.txt", "a");
  const PathState before = ReadPathState(path);

  const ConsoleRun run = RunFstamp({"set", "-m", "2021-03-04T05:06:07.1234567Z", path});

  EXPECT_EQ(run.exitCode, 0u) << run.err;
  EXPECT_EQ(run.out, "1 stamped, 0 failed\n");
  const PathState after = ReadPathState(path);
  EXPECT_EQ(after.write, Utc(2021, 3, 4, 5, 6, 7, 1'234'567));
  EXPECT_EQ(after.access, before.access);
  EXPECT_EQ(after.attributes, before.attributes);
}

TEST(FstampSet, ALocalDateAndTimeIsTakenInTheLocalZone) {
  TempFolder folder;
  const std::string path = MakeStampedFile(folder, "a.txt", "a");

  const ConsoleRun run = RunFstamp({"set", "-a", "2019-11-12 13:14:15.5", path});

  EXPECT_EQ(run.exitCode, 0u) << run.err;
  const FILETIME utc = core::LocalToFileTime({2019, 11, 12, 13, 14, 15}).value();
  EXPECT_EQ(ReadPathState(path).access, Ticks(utc) + 5'000'000);
}

TEST(FstampSet, NowIsOneReadingForEveryPath) {
  TempFolder folder;
  const std::string a = MakeStampedFile(folder, "a.txt", "a");
  const std::string b = MakeStampedFile(folder, "b.txt", "b");
  FILETIME start;
  GetSystemTimeAsFileTime(&start);

  const ConsoleRun run = RunFstamp({"set", "-a", "now", a, b});

  FILETIME end;
  GetSystemTimeAsFileTime(&end);
  EXPECT_EQ(run.exitCode, 0u) << run.err;
  const std::uint64_t stamped = ReadPathState(a).access;
  EXPECT_EQ(ReadPathState(b).access, stamped);
  EXPECT_GE(stamped, Ticks(start));
  EXPECT_LE(stamped, Ticks(end));
}

TEST(FstampSet, AShiftMovesEachPathsOwnTime) {
  TempFolder folder;
  const std::string a = MakeStampedFile(folder, "a.txt", "a");
  const std::string b = MakeStampedFile(folder, "b.txt", "b");
  SetTimes(b, Utc(2015, 1, 1, 0, 0, 0), Utc(2016, 6, 30, 23, 59, 59, 7));
  const PathState beforeA = ReadPathState(a), beforeB = ReadPathState(b);

  const ConsoleRun run = RunFstamp({"set", "-m", "-2h30m", "--", a, b});

  EXPECT_EQ(run.exitCode, 0u) << run.err;
  EXPECT_EQ(ReadPathState(a).write, beforeA.write - 5 * kHour / 2);
  EXPECT_EQ(ReadPathState(b).write, beforeB.write - 5 * kHour / 2);
}

TEST(FstampSet, TimesCanTradePlacesByNamingEachOther) {
  TempFolder folder;
  const std::string path = MakeStampedFile(folder, "a.txt", "a");
  const PathState before = ReadPathState(path);

  const ConsoleRun run = RunFstamp({"set", "-m", "accessed", "-a", "modified", path});

  EXPECT_EQ(run.exitCode, 0u) << run.err;
  const PathState after = ReadPathState(path);
  EXPECT_EQ(after.write, before.access);
  EXPECT_EQ(after.access, before.write);
}

TEST(FstampSet, LikeTakesEveryTimeNotGivenOtherwiseFromTheReferenceFile) {
  TempFolder folder;
  const std::string reference = MakeStampedFile(folder, "reference.jpg", "r");
  const std::string path = folder.MakeFile("目标.jpg");
  const PathState like = ReadPathState(reference);

  const ConsoleRun run = RunFstamp({"set", "--like", reference, "-a", "2020-02-02T02:02:02Z", path});

  EXPECT_EQ(run.exitCode, 0u) << run.err;
  const PathState after = ReadPathState(path);
  EXPECT_EQ(after.write, like.write);
  EXPECT_EQ(after.creation, like.creation);
  EXPECT_EQ(after.access, Utc(2020, 2, 2, 2, 2, 2));
}

TEST(FstampSet, AMissingLikeFileIsACommandErrorAndNothingChanges) {
  TempFolder folder;
  const std::string path = MakeStampedFile(folder, "a.txt", "a");
  const PathState before = ReadPathState(path);

  const ConsoleRun run = RunFstamp({"set", "--like", folder.Child("gone.jpg"), path});

  EXPECT_EQ(run.exitCode, 2u);
  EXPECT_TRUE(Contains(run.err, "--like '" + folder.Child("gone.jpg") + "': " + SystemText(ERROR_FILE_NOT_FOUND)))
      << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(ReadPathState(path), before);
}

// --- set: flags ----------------------------------------------------------------------------

TEST(FstampSet, AttributeSpecsInEachFormChangeOnlyTheFlagsNamed) {
  const struct {
    DWORD initial;
    std::vector<std::string> spec;
    DWORD expected;
  } cases[] = {
      {FILE_ATTRIBUTE_ARCHIVE, {"+R", "+H"}, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE},
      {FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE, {"-h+s"}, FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE},
      {FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE, {"=RA"},
       FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    const std::string path = MakeStampedFile(folder, "照片.jpg", "x", c.initial);
    const PathState before = ReadPathState(path);
    std::vector<std::string> args{"set", "--attrib"};
    args.insert(args.end(), c.spec.begin(), c.spec.end());
    args.push_back(path);

    const ConsoleRun run = RunFstamp(args);

    EXPECT_EQ(run.exitCode, 0u) << c.spec[0] << ": " << run.err;
    const PathState after = ReadPathState(path);
    EXPECT_EQ(after.attributes & kFlags, c.expected) << c.spec[0];
    EXPECT_EQ(after.write, before.write) << c.spec[0];
  }
}

// --- set: folders, depth, order, wildcards ------------------------------------------------------

TEST(FstampSet, AFolderGivenIsStampedItselfAndItsEntriesAreLeft) {
  TempFolder folder;
  const std::string top = folder.MakeFolder("top");
  const std::string inner = MakeStampedFile(folder, "top\\inner.txt", "i");
  const PathState innerBefore = ReadPathState(inner);

  const ConsoleRun run = RunFstamp({"set", "-m", "2018-08-08T08:08:08Z", top});

  EXPECT_EQ(run.exitCode, 0u) << run.err;
  EXPECT_EQ(ReadPathState(top).write, Utc(2018, 8, 8, 8, 8, 8));
  EXPECT_EQ(ReadPathState(inner), innerBefore);
}

TEST(FstampSet, DepthStampsEntriesDownToItsLevelAndRecursiveEveryLevel) {
  const std::uint64_t when = Utc(2017, 7, 7, 7, 7, 7);
  const struct {
    std::vector<std::string> option;
    std::vector<bool> stamped;  // top, a.txt, sub, sub\b.txt, sub\deep, sub\deep\c.txt
  } cases[] = {
      {{"--depth", "1"}, {true, true, true, false, false, false}},
      {{"--depth=2"}, {true, true, true, true, true, false}},
      {{"-r"}, {true, true, true, true, true, true}},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    folder.MakeFolder("照片");
    folder.MakeFolder("照片\\sub");
    folder.MakeFolder("照片\\sub\\deep");
    MakeStampedFile(folder, "照片\\a.txt", "a");
    MakeStampedFile(folder, "照片\\sub\\b.txt", "b");
    MakeStampedFile(folder, "照片\\sub\\deep\\c.txt", "c");
    std::vector<std::string> args{"set", "-m", "2017-07-07T07:07:07Z"};
    args.insert(args.end(), c.option.begin(), c.option.end());
    args.push_back("照片");

    const ConsoleRun run = RunFstamp(args, folder.path());

    EXPECT_EQ(run.exitCode, 0u) << run.err;
    const char* paths[] = {"照片", "照片\\a.txt", "照片\\sub", "照片\\sub\\b.txt", "照片\\sub\\deep",
                           "照片\\sub\\deep\\c.txt"};
    for (std::size_t i = 0; i < std::size(paths); ++i) {
      EXPECT_EQ(ReadPathState(folder.Child(paths[i])).write == when, c.stamped[i]) << c.option[0] << " " << paths[i];
    }
  }
}

TEST(FstampSet, AFoldersOwnWrittenTimesSurviveTheStampingOfItsEntries) {
  TempFolder folder;
  const std::string top = folder.MakeFolder("top");
  const std::string sub = folder.MakeFolder("top\\sub");
  for (const char* name : {"top\\a.txt", "top\\sub\\b.txt", "top\\sub\\c.txt"}) MakeStampedFile(folder, name, "x");

  const ConsoleRun run = RunFstamp({"set", "-m", "2019-02-03T04:05:06Z", "-a", "2019-02-03T04:05:06Z", "-r", top});

  EXPECT_EQ(run.exitCode, 0u) << run.err;
  EXPECT_EQ(run.out, "5 stamped, 0 failed\n");
  for (const std::string& path : {top, sub}) {
    const PathState state = ReadPathState(path);
    EXPECT_EQ(state.write, Utc(2019, 2, 3, 4, 5, 6)) << path;
    EXPECT_EQ(state.access, Utc(2019, 2, 3, 4, 5, 6)) << path;
  }
}

TEST(FstampSet, WildcardsExpandInNameOrderAndAPatternMatchingNothingFailsOnlyItself) {
  TempFolder folder;
  const std::string b = MakeStampedFile(folder, "B.jpg", "b");
  const std::string a = MakeStampedFile(folder, "a.jpg", "a");
  const std::string other = MakeStampedFile(folder, "c.txt", "c");
  const PathState otherBefore = ReadPathState(other);

  const ConsoleRun preview = RunFstamp({"set", "--dry-run", "-m", "+1h", "*.JPG"}, folder.path());
  const ConsoleRun run = RunFstamp({"set", "-m", "2016-01-01T00:00:00Z", "*.jpg", "*.png"}, folder.path());

  EXPECT_LT(preview.out.find("a.jpg\n"), preview.out.find("B.jpg\n")) << preview.out;
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_EQ(run.err, "fstamp: *.png: no file or folder matches\n");
  EXPECT_EQ(run.out, "2 stamped, 1 failed\n");
  EXPECT_EQ(ReadPathState(a).write, Utc(2016, 1, 1, 0, 0, 0));
  EXPECT_EQ(ReadPathState(b).write, Utc(2016, 1, 1, 0, 0, 0));
  EXPECT_EQ(ReadPathState(other), otherBefore);
}

// --- set: dry run, verification, failures ------------------------------------------------------

TEST(FstampSet, ADryRunPrintsOldAndNewAndChangesNothing) {
  TempFolder folder;
  const std::string path = MakeStampedFile(folder, "照片.jpg", "x");
  const PathState before = ReadPathState(path);

  const ConsoleRun run = RunFstamp({"set", "--dry-run", "-m", "2020-01-01T00:00:00Z", "--attrib", "+H", path});

  EXPECT_EQ(run.exitCode, 0u) << run.err;
  EXPECT_EQ(run.out, path + "\n  modified  " + Iso(before.write) + " -> " + Iso(Utc(2020, 1, 1, 0, 0, 0)) +
                         "\n  flags     A -> HA\n"
                         "dry run: 1 of 1 would change, 0 failed; nothing was changed\n");
  EXPECT_EQ(ReadPathState(path), before);
}

TEST(FstampSet, ACreationTimeTheFileSystemDoesNotKeepIsReportedAsNotKept) {
  TempFolder folder;
  if (testing_support::KeepsCreationTime(folder)) GTEST_SKIP() << "this file system keeps creation times";
  const std::string path = MakeStampedFile(folder, "a.txt", "a");

  const ConsoleRun run = RunFstamp({"set", "-c", "2010-01-01T00:00:00Z", path});

  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_EQ(run.err.rfind("fstamp: " + path + ": not kept by the file system: created (wrote " +
                              Iso(Utc(2010, 1, 1, 0, 0, 0)) + ", reads ",
                          0),
            0u)
      << run.err;
  EXPECT_EQ(run.out, "0 stamped, 1 failed\n");
}

TEST(FstampSet, AFileThatRefusesChangeFailsWithTheSystemsReasonWhileTheOthersAreDone) {
  TempFolder folder;
  const std::string locked = MakeStampedFile(folder, "locked.txt", "l");
  const std::string other = MakeStampedFile(folder, "other.txt", "o");
  const PathState lockedBefore = ReadPathState(locked);
  const testing_support::ImmutableFile immutable(locked);
  if (!immutable.locked()) GTEST_SKIP() << "chattr +i is not available here";

  const ConsoleRun run = RunFstamp({"set", "-m", "2015-05-05T05:05:05Z", locked, other});

  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_EQ(run.err, "fstamp: " + locked + ": " + SystemText(ERROR_ACCESS_DENIED) + "\n");
  EXPECT_EQ(run.out, "1 stamped, 1 failed\n");
  EXPECT_EQ(ReadPathState(other).write, Utc(2015, 5, 5, 5, 5, 5));
  EXPECT_EQ(ReadPathState(locked), lockedBefore);
}

TEST(FstampSet, QuietPrintsNoSummary) {
  TempFolder folder;
  const std::string path = MakeStampedFile(folder, "a.txt", "a");

  const ConsoleRun run = RunFstamp({"set", "-q", "-m", "now", path});

  EXPECT_EQ(run.exitCode, 0u) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
}

TEST(FstampSet, ProgressNeverAppearsWhenStderrIsAPipe) {
  TempFolder folder;
  const std::string top = folder.MakeFolder("many");
  for (int i = 0; i < 5000; ++i) folder.MakeFile("many\\f" + std::to_string(i) + ".txt", "");
  const ULONGLONG started = GetTickCount64();

  const ConsoleRun run = RunFstamp({"set", "-m", "now", "-a", "+1s", "--attrib", "+H", "-r", top});

  const ULONGLONG lasted = GetTickCount64() - started;
  EXPECT_EQ(run.exitCode, 0u) << run.err.substr(0, 400);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "5001 stamped, 0 failed\n");
  // Progress starts a second into the run; a shorter run could not have shown it anyway.
  if (lasted < 1200) GTEST_SKIP() << "the run took only " << lasted << " ms";
}

TEST(FstampSet, CommandLineErrorsExitWithTwoAndTouchNothing) {
  TempFolder folder;
  const std::string path = MakeStampedFile(folder, "a.txt", "a");
  const PathState before = ReadPathState(path);
  const std::vector<std::vector<std::string>> cases = {
      {"set", "-m", "yesterday", path},
      {"set", path},
      {"set", "-m", "now", "-r", "--depth", "2", path},
      {"set", "--attrib", "+X", path},
      {"set", "-m", "2024-05-01", "12:00", path},
      {"show", "--format", "xml", path},
      {"undo"},
      {"--frobnicate"},
  };
  for (const auto& args : cases) {
    const ConsoleRun run = RunFstamp(args);
    EXPECT_EQ(run.exitCode, 2u) << args[0];
    EXPECT_EQ(run.err.rfind("fstamp: ", 0), 0u) << run.err;
    EXPECT_TRUE(Contains(run.err, "usage: fstamp")) << run.err;
    EXPECT_EQ(run.out, "") << args[0];
  }
  EXPECT_EQ(ReadPathState(path), before);
}

// --- journal and undo ----------------------------------------------------------------------

// A tree with varied flags and times, and the state of each path in it.
struct Tree {
  TempFolder folder;
  std::string top;
  std::vector<std::string> paths;
  Tree() {
    top = folder.MakeFolder("照片");
    folder.MakeFolder("照片\\2019");
    paths = {top, folder.Child("照片\\2019"),
             MakeStampedFile(folder, "照片\\a.jpg", "a", FILE_ATTRIBUTE_ARCHIVE),
             MakeStampedFile(folder, "照片\\2019\\b.jpg", "b", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE)};
    SetTimes(paths[3], Utc(2019, 3, 3, 3, 3, 3, 3), Utc(2019, 4, 4, 4, 4, 4, 4));
    SetTimes(paths[1], Utc(2019, 1, 1, 1, 1, 1, 1), Utc(2019, 2, 2, 2, 2, 2, 2));
    SetTimes(paths[0], Utc(2018, 1, 1, 1, 1, 1, 1), Utc(2018, 2, 2, 2, 2, 2, 2));
  }
  std::vector<PathState> States() const {
    std::vector<PathState> states;
    for (const std::string& path : paths) states.push_back(ReadPathState(path));
    return states;
  }
};

TEST(FstampUndo, AJournalPutsBackTheExactTicksAndFlagsOfEveryPath) {
  Tree tree;
  const std::vector<PathState> original = tree.States();
  const std::string journal = tree.folder.Child("undo.journal");

  const ConsoleRun set =
      RunFstamp({"set", "-m", "now", "-a", "-3d", "--attrib", "+H", "-r", "--journal", journal, tree.top});
  ASSERT_EQ(set.exitCode, 0u) << set.err;
  ASSERT_NE(tree.States(), original);
  const ConsoleRun undo = RunFstamp({"undo", journal});

  EXPECT_EQ(undo.exitCode, 0u) << undo.err;
  EXPECT_EQ(undo.out, "4 stamped, 0 failed\n");
  EXPECT_EQ(tree.States(), original);
}

TEST(FstampUndo, ADryRunShowsWhatWouldBePutBackAndChangesNothing) {
  Tree tree;
  const std::string journal = tree.folder.Child("undo.journal");
  const PathState original = ReadPathState(tree.paths[2]);
  ASSERT_EQ(RunFstamp({"set", "-m", "2022-02-22T22:22:22Z", "--journal", journal, tree.paths[2]}).exitCode, 0u);
  const PathState changed = ReadPathState(tree.paths[2]);

  const ConsoleRun undo = RunFstamp({"undo", "--dry-run", journal});

  EXPECT_EQ(undo.exitCode, 0u) << undo.err;
  // Where the platform reports the modification time as the creation time, that moved too.
  const std::string created = changed.creation == original.creation
                                  ? ""
                                  : "  created   " + Iso(changed.creation) + " -> " + Iso(original.creation) + "\n";
  EXPECT_EQ(undo.out, tree.paths[2] + "\n" + created + "  modified  " + Iso(changed.write) + " -> " +
                          Iso(original.write) + "\ndry run: 1 of 1 would change, 0 failed; nothing was changed\n");
  EXPECT_EQ(ReadPathState(tree.paths[2]), changed);
}

TEST(FstampUndo, ATruncatedOrForeignJournalChangesNothingAndExitsWithTwo) {
  Tree tree;
  const std::string journal = tree.folder.Child("undo.journal");
  ASSERT_EQ(RunFstamp({"set", "-m", "+1d", "-r", "--journal", journal, tree.top}).exitCode, 0u);
  const std::vector<PathState> changed = tree.States();
  std::string text;
  ASSERT_EQ(core::ReadWholeFile(journal, text), 0u);
  const std::string truncated = tree.folder.Child("truncated.journal");
  const std::string foreign = tree.folder.Child("foreign.journal");
  ASSERT_EQ(core::WriteNewFileDurably(truncated, text.substr(0, text.rfind("end "))), 0u);
  ASSERT_EQ(core::WriteNewFileDurably(foreign, "path,size\r\nC:\\a.txt,1\r\n"), 0u);

  for (const std::string& bad : {truncated, foreign}) {
    const ConsoleRun undo = RunFstamp({"undo", bad});
    EXPECT_EQ(undo.exitCode, 2u) << bad;
    EXPECT_EQ(undo.err.rfind("fstamp: '" + bad + "': ", 0), 0u) << undo.err;
    EXPECT_TRUE(Contains(undo.err, "Nothing was changed.")) << undo.err;
    EXPECT_EQ(undo.out, "");
  }
  EXPECT_EQ(tree.States(), changed);
}

TEST(FstampSet, AnExistingJournalIsNeverOverwrittenAndNothingChanges) {
  Tree tree;
  const std::vector<PathState> original = tree.States();
  const std::string journal = tree.folder.MakeFile("kept.journal", "precious");

  const ConsoleRun set = RunFstamp({"set", "-m", "now", "-r", "--journal", journal, tree.top});

  EXPECT_EQ(set.exitCode, 2u);
  EXPECT_TRUE(Contains(set.err, "already exists")) << set.err;
  EXPECT_EQ(tree.States(), original);
  std::string text;
  ASSERT_EQ(core::ReadWholeFile(journal, text), 0u);
  EXPECT_EQ(text, "precious");
}

// --- help and version ------------------------------------------------------------------------

TEST(Fstamp, HelpAndVersionPrintOnStdoutAndExitWithZero) {
  const ConsoleRun help = RunFstamp({"--help"});
  const ConsoleRun version = RunFstamp({"set", "--version"});

  EXPECT_EQ(help.exitCode, 0u);
  EXPECT_EQ(help.out.rfind("usage: fstamp", 0), 0u) << help.out;
  EXPECT_EQ(version.exitCode, 0u);
  EXPECT_EQ(version.out.rfind("fstamp ", 0), 0u) << version.out;
  EXPECT_EQ(std::count(version.out.begin(), version.out.end(), '.'), 2) << version.out;
}

// --- time zones (run in processes of their own; see cmake/fstamp.cmake) ------------------------

bool InZone(const char* zone) {
  const char* set = std::getenv("FILESTAMP_TEST_TZ");
  return set && std::string(set) == zone;
}

TEST(TimeZoneBerlin, LocalTimesTakeTheOffsetOfTheirOwnDate) {
  if (!InZone("Europe/Berlin")) GTEST_SKIP() << "runs as cli_tests_tz_berlin";
  TempFolder folder;
  const std::string winter = MakeStampedFile(folder, "winter.txt", "w");
  const std::string summer = MakeStampedFile(folder, "summer.txt", "s");

  const ConsoleRun a = RunFstamp({"set", "-m", "2024-01-15T12:00", winter});
  const ConsoleRun b = RunFstamp({"set", "-m", "2024-07-15T12:00", summer});
  const ConsoleRun show = RunFstamp({"show", "--format", "csv", winter, summer});

  EXPECT_EQ(a.exitCode, 0u) << a.err;
  EXPECT_EQ(b.exitCode, 0u) << b.err;
  EXPECT_EQ(ReadPathState(winter).write, Utc(2024, 1, 15, 11, 0, 0));
  EXPECT_EQ(ReadPathState(summer).write, Utc(2024, 7, 15, 10, 0, 0));
  EXPECT_TRUE(Contains(show.out, ",2024-01-15T12:00:00.0000000+01:00,")) << show.out;
  EXPECT_TRUE(Contains(show.out, ",2024-07-15T12:00:00.0000000+02:00,")) << show.out;
}

}  // namespace
