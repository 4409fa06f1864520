// fstamp.exe driven as a process, as a script or a person would run it: exit codes, what it
// prints on stdout and stderr, and the files on disk.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
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
using testing_support::MakeStampedFile;
using testing_support::PathState;
using testing_support::ReadPathState;
using testing_support::RunFstamp;
using testing_support::TempFolder;
using testing_support::Ticks;

constexpr DWORD kFlags = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                         FILE_ATTRIBUTE_ARCHIVE;

std::uint64_t Utc(int year, int month, int day, int hour, int minute, int second, std::uint64_t extra = 0) {
  return Ticks(testing_support::UtcTime(year, month, day, hour, minute, second, extra));
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

std::vector<std::string> Joined(std::vector<std::string> first, const std::vector<std::string>& then) {
  first.insert(first.end(), then.begin(), then.end());
  return first;
}

TEST(FstampShow, CsvListsWildcardMatchesInNameOrderAsExactBytes) {
  TempFolder folder;
  const std::string b = MakeStampedFile(folder, "b.txt", "12345", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  const std::string a = MakeStampedFile(folder, "照片 a,1.txt", "x", FILE_ATTRIBUTE_ARCHIVE);
  folder.MakeFile("c.dat");

  const ConsoleRun run = RunFstamp({"show", "--format", "csv", "*.txt"}, folder.path());

  EXPECT_EQ(run.exitCode, 0u) << run.err;
  const PathState sa = ReadPathState(a), sb = ReadPathState(b);
  EXPECT_EQ(run.out, "path,size,created,modified,accessed,attributes,error\r\n"
                     "b.txt,5," + Iso(sb.creation) + "," + Iso(sb.modification) + "," + Iso(sb.access) + ",HA,\r\n"
                     "\"照片 a,1.txt\",1," + Iso(sa.creation) + "," + Iso(sa.modification) + "," + Iso(sa.access) + ",A,\r\n");
}

TEST(FstampShow, JsonAndTableShowEachPathAndAnUnreadablePathFailsOnStderr) {
  TempFolder folder;
  MakeStampedFile(folder, "照片.jpg", std::string(1234, 'x'), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  const std::string missing = core::SystemErrorText(ERROR_FILE_NOT_FOUND);

  const ConsoleRun json = RunFstamp({"--format=json", "照片.jpg", "missing.txt"}, folder.path());
  const ConsoleRun table = RunFstamp({"照片.jpg", "missing.txt"}, folder.path());

  for (const ConsoleRun* run : {&json, &table}) {
    EXPECT_EQ(run->exitCode, 1u);
    EXPECT_EQ(run->err, "fstamp: missing.txt: " + missing + "\n");
  }
  EXPECT_TRUE(Contains(json.out, "{\"path\": \"照片.jpg\", \"size\": 1234, \"created\": \"")) << json.out;
  EXPECT_TRUE(Contains(json.out, "\"attributes\": \"RA\", \"error\": null},\n")) << json.out;
  EXPECT_TRUE(Contains(json.out, "\"error\": \"" + missing + "\"}\n]\n")) << json.out;
  EXPECT_TRUE(Contains(table.out, "\n照片.jpg     1,234  ")) << table.out;
  EXPECT_TRUE(Contains(table.out, "  RA\nmissing.txt  error: " + missing + "\n")) << table.out;
}

TEST(FstampSet, EachKindOfWhenSetsTheTimeItNames) {
  using Check = std::function<void(const PathState& before, const PathState& after, const PathState& like)>;
  const struct {
    std::vector<std::string> args;
    Check check;
  } cases[] = {
      {{"-m", "2021-03-04T05:06:07.1234567Z"},
       [](auto& before, auto& after, auto&) {
         EXPECT_EQ(after.modification, Utc(2021, 3, 4, 5, 6, 7, 1'234'567));
         EXPECT_EQ(after.access, before.access);
       }},
      {{"-a", "2019-11-12 13:14:15.5"},
       [](auto&, auto& after, auto&) {
         EXPECT_EQ(after.access, Ticks(core::LocalToFileTime({2019, 11, 12, 13, 14, 15}).value()) + 5'000'000);
       }},
      {{"-m", "-2h30m"}, [](auto& before, auto& after, auto&) { EXPECT_EQ(after.modification, before.modification - 90'000'000'000); }},
      {{"-m", "accessed", "-a", "modified"},
       [](auto& before, auto& after, auto&) {
         EXPECT_EQ(after.modification, before.access);
         EXPECT_EQ(after.access, before.modification);
       }},
      {{"--like", "like.jpg", "-a", "2020-02-02T02:02:02Z"},
       [](auto&, auto& after, auto& like) {
         EXPECT_EQ(after.modification, like.modification);
         EXPECT_EQ(after.creation, like.creation);
         EXPECT_EQ(after.access, Utc(2020, 2, 2, 2, 2, 2));
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[1]);
    TempFolder folder;
    const PathState like = ReadPathState(MakeStampedFile(folder, "like.jpg", "l"));
    const std::string path = folder.MakeFile("照片.jpg");
    SetTimes(path, Utc(2015, 1, 1, 0, 0, 0, 1), Utc(2016, 6, 30, 23, 59, 59, 7));
    const PathState before = ReadPathState(path);

    const ConsoleRun run = RunFstamp(Joined({"set"}, Joined(c.args, {"照片.jpg"})), folder.path());

    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(run.out, "1 stamped, 0 failed\n");
    c.check(before, ReadPathState(path), like);
  }
}

TEST(FstampSet, NowIsOneReadingForEveryPath) {
  TempFolder folder;
  const std::string a = folder.MakeFile("a.txt"), b = folder.MakeFile("b.txt");
  FILETIME start, end;
  GetSystemTimeAsFileTime(&start);
  const ConsoleRun run = RunFstamp({"set", "-a", "now", a, b});
  GetSystemTimeAsFileTime(&end);

  EXPECT_EQ(run.exitCode, 0u) << run.err;
  EXPECT_EQ(ReadPathState(b).access, ReadPathState(a).access);
  EXPECT_GE(ReadPathState(a).access, Ticks(start));
  EXPECT_LE(ReadPathState(a).access, Ticks(end));
}

TEST(FstampSet, AttributeSpecsInEachFormChangeOnlyTheFlagsNamed) {
  const struct {
    DWORD initial;
    std::vector<std::string> spec;
    DWORD expected;
  } cases[] = {
      {FILE_ATTRIBUTE_ARCHIVE, {"+R+H"}, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE},
      {FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE, {"-h+s"}, FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE},
      {FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE, {"=RA"},
       FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    const std::string path = MakeStampedFile(folder, "照片.jpg", "x", c.initial);
    const PathState before = ReadPathState(path);

    const ConsoleRun run = RunFstamp(Joined({"set", "--attrib"}, Joined(c.spec, {path})));

    EXPECT_EQ(run.exitCode, 0u) << c.spec[0] << ": " << run.err;
    EXPECT_EQ(ReadPathState(path).attributes & kFlags, c.expected) << c.spec[0];
    EXPECT_EQ(ReadPathState(path).modification, before.modification) << c.spec[0];
  }
}

TEST(FstampSet, AFolderIsStampedItselfAndItsEntriesDownToTheDepthAsked) {
  const std::vector<std::string> paths = {"照片", "照片\\a.txt", "照片\\sub", "照片\\sub\\b.txt", "照片\\sub\\deep",
                                          "照片\\sub\\deep\\c.txt"};
  const struct {
    std::vector<std::string> option;
    std::vector<bool> stamped;  // in the order of paths
  } cases[] = {
      {{}, {true, false, false, false, false, false}},
      {{"--depth", "1"}, {true, true, true, false, false, false}},
      {{"--depth=2"}, {true, true, true, true, true, false}},
      {{"-r"}, {true, true, true, true, true, true}},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    for (const std::string& path : paths) {
      path.find('.') == std::string::npos ? (void)folder.MakeFolder(path) : (void)MakeStampedFile(folder, path, "x");
    }
    const ConsoleRun run = RunFstamp(Joined({"set", "-m", "2017-07-07T07:07:07Z", "照片"}, c.option), folder.path());

    EXPECT_EQ(run.exitCode, 0u) << run.err;
    for (std::size_t i = 0; i < paths.size(); ++i) {
      EXPECT_EQ(ReadPathState(folder.Child(paths[i])).modification == Utc(2017, 7, 7, 7, 7, 7), c.stamped[i])
          << c.stamped.size() << " " << paths[i];
    }
  }
}

TEST(FstampSet, AFoldersOwnWrittenTimesSurviveTheStampingOfItsEntries) {
  TempFolder folder;
  const std::string top = folder.MakeFolder("top"), sub = folder.MakeFolder("top\\sub");
  for (const char* name : {"top\\a.txt", "top\\sub\\b.txt", "top\\sub\\c.txt"}) MakeStampedFile(folder, name, "x");

  const ConsoleRun run = RunFstamp({"set", "-m", "2019-02-03T04:05:06Z", "-a", "2019-02-03T04:05:06Z", "-r", top});

  EXPECT_EQ(run.exitCode, 0u) << run.err;
  EXPECT_EQ(run.out, "5 stamped, 0 failed\n");
  for (const std::string& path : {top, sub}) {
    EXPECT_EQ(ReadPathState(path).modification, Utc(2019, 2, 3, 4, 5, 6)) << path;
    EXPECT_EQ(ReadPathState(path).access, Utc(2019, 2, 3, 4, 5, 6)) << path;
  }
}

TEST(FstampSet, WildcardsExpandInNameOrderAndAPatternMatchingNothingFailsOnlyItself) {
  TempFolder folder;
  const std::string b = MakeStampedFile(folder, "B.jpg", "b"), a = MakeStampedFile(folder, "a.jpg", "a");
  const PathState other = ReadPathState(MakeStampedFile(folder, "c.txt", "c"));

  const ConsoleRun preview = RunFstamp({"set", "--dry-run", "-m", "+1h", "*.JPG"}, folder.path());
  const ConsoleRun run = RunFstamp({"set", "-m", "2016-01-01T00:00:00Z", "*.jpg", "*.png"}, folder.path());

  EXPECT_LT(preview.out.find("a.jpg\n"), preview.out.find("B.jpg\n")) << preview.out;
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_EQ(run.err, "fstamp: *.png: no file or folder matches\n");
  EXPECT_EQ(run.out, "2 stamped, 1 failed\n");
  EXPECT_EQ(ReadPathState(a).modification, Utc(2016, 1, 1, 0, 0, 0));
  EXPECT_EQ(ReadPathState(b).modification, Utc(2016, 1, 1, 0, 0, 0));
  EXPECT_EQ(ReadPathState(folder.Child("c.txt")), other);
}

TEST(FstampSet, ADryRunPrintsOldAndNewAndChangesNothing) {
  TempFolder folder;
  const std::string path = MakeStampedFile(folder, "照片.jpg", "x");
  const PathState before = ReadPathState(path);

  const ConsoleRun run = RunFstamp({"set", "--dry-run", "-m", "2020-01-01T00:00:00Z", "--attrib", "+H", path});

  EXPECT_EQ(run.exitCode, 0u) << run.err;
  EXPECT_EQ(run.out, path + "\n  modified  " + Iso(before.modification) + " -> " + Iso(Utc(2020, 1, 1, 0, 0, 0)) +
                         "\n  flags     A -> HA\ndry run: 1 of 1 would change, 0 failed; nothing was changed\n");
  EXPECT_EQ(ReadPathState(path), before);
}

TEST(FstampSet, ACreationTimeTheFileSystemDoesNotKeepIsReportedAsNotKept) {
  TempFolder folder;
  if (testing_support::KeepsCreationTime(folder)) GTEST_SKIP() << "this file system keeps creation times";
  const std::string path = folder.MakeFile("a.txt");

  const ConsoleRun run = RunFstamp({"set", "-c", "2010-01-01T00:00:00Z", path});

  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_EQ(run.err.rfind("fstamp: " + path + ": not kept by the file system: created (wrote " +
                              Iso(Utc(2010, 1, 1, 0, 0, 0)) + ", reads ", 0), 0u) << run.err;
  EXPECT_EQ(run.out, "0 stamped, 1 failed\n");
}

TEST(FstampSet, AFileThatRefusesChangeFailsWithTheSystemsReasonWhileTheOthersAreDone) {
  TempFolder folder;
  const std::string locked = MakeStampedFile(folder, "locked.txt", "l"), other = folder.MakeFile("other.txt");
  const PathState lockedBefore = ReadPathState(locked);
  const testing_support::ImmutableFile immutable(locked);
  if (!immutable.locked()) GTEST_SKIP() << "chattr +i is not available here";

  const ConsoleRun run = RunFstamp({"set", "-m", "2015-05-05T05:05:05Z", locked, other});

  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_EQ(run.err, "fstamp: " + locked + ": " + core::SystemErrorText(ERROR_ACCESS_DENIED) + "\n");
  EXPECT_EQ(run.out, "1 stamped, 1 failed\n");
  EXPECT_EQ(ReadPathState(other).modification, Utc(2015, 5, 5, 5, 5, 5));
  EXPECT_EQ(ReadPathState(locked), lockedBefore);
}

TEST(FstampSet, NeitherProgressNorSummaryAppearsWhenStderrIsAPipeAndQuietIsAsked) {
  TempFolder folder;
  const std::string top = folder.MakeFolder("many");
  for (int i = 0; i < 8000; ++i) folder.MakeFile("many\\f" + std::to_string(i) + ".txt", "");
  const ULONGLONG started = GetTickCount64();

  const ConsoleRun run = RunFstamp({"set", "-q", "-m", "now", "-a", "+1s", "--attrib", "+H", "-r", top});

  const ULONGLONG lasted = GetTickCount64() - started;
  EXPECT_EQ(run.exitCode, 0u) << run.err.substr(0, 400);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "");
  // Progress starts a second into the run; a shorter run could not have shown it anyway.
  if (lasted < 1200) GTEST_SKIP() << "the run took only " << lasted << " ms";
}

TEST(FstampSet, CommandLineErrorsExitWithTwoAndTouchNothing) {
  TempFolder folder;
  const std::string path = MakeStampedFile(folder, "a.txt", "a");
  const PathState before = ReadPathState(path);
  const std::vector<std::vector<std::string>> usageErrors = {
      {"set", "-m", "yesterday", path}, {"set", path},          {"set", "-m", "now", "-r", "--depth", "2", path},
      {"set", "--attrib", "+X", path},  {"show", "--format", "xml", path}, {"undo"},
      {"set", "-m", "2024-05-01", "12:00", path},
      {"set", "--attrib", "+H", "-S", path},
  };
  for (const auto& args : usageErrors) {
    const ConsoleRun run = RunFstamp(args);
    EXPECT_EQ(run.exitCode, 2u) << args[1];
    EXPECT_EQ(run.err.rfind("fstamp: ", 0), 0u) << run.err;
    EXPECT_TRUE(Contains(run.err, "\nusage: fstamp")) << run.err;
    EXPECT_EQ(run.out, "") << args[1];
  }
  const ConsoleRun like = RunFstamp({"set", "--like", folder.Child("gone.jpg"), path});
  EXPECT_EQ(like.exitCode, 2u);
  EXPECT_EQ(like.err, "fstamp: --like '" + folder.Child("gone.jpg") + "': " +
                          core::SystemErrorText(ERROR_FILE_NOT_FOUND) + " Nothing was changed.\n");
  EXPECT_EQ(ReadPathState(path), before);
}

TEST(FstampUndo, AJournalPutsBackTheExactTicksAndFlagsOfEveryPath) {
  TempFolder folder;
  const std::vector<std::string> paths = {folder.MakeFolder("照片"), folder.MakeFolder("照片\\2019"),
                                          MakeStampedFile(folder, "照片\\a.jpg", "a"),
                                          MakeStampedFile(folder, "照片\\2019\\b.jpg", "b", FILE_ATTRIBUTE_SYSTEM)};
  SetTimes(paths[1], Utc(2019, 1, 1, 1, 1, 1, 1), Utc(2019, 2, 2, 2, 2, 2, 2));
  const auto states = [&] {
    std::vector<PathState> all;
    for (const std::string& path : paths) all.push_back(ReadPathState(path));
    return all;
  };
  const std::vector<PathState> original = states();
  const std::string journal = folder.Child("undo.journal");

  const ConsoleRun set = RunFstamp({"set", "-m", "now", "-a", "-3d", "--attrib", "+H", "-r", "--journal", journal,
                                    paths[0]});
  ASSERT_EQ(set.exitCode, 0u) << set.err;
  ASSERT_NE(states(), original);
  const ConsoleRun undo = RunFstamp({"undo", journal});

  EXPECT_EQ(undo.exitCode, 0u) << undo.err;
  EXPECT_EQ(undo.out, "4 stamped, 0 failed\n");
  EXPECT_EQ(states(), original);
}

TEST(FstampUndo, APathChangedSinceSetIsLeftAloneAndNamedUnlessForced) {
  TempFolder folder;
  const std::string kept = MakeStampedFile(folder, "kept.txt", "a"),
                    edited = MakeStampedFile(folder, "edited.txt", "b");
  const PathState keptBefore = ReadPathState(kept), editedBefore = ReadPathState(edited);
  const std::string journal = folder.Child("undo.journal");
  ASSERT_EQ(RunFstamp({"set", "-m", "2020-01-01T00:00:00Z", "--journal", journal, kept, edited}).exitCode, 0u);
  SetTimes(edited, ReadPathState(edited).access, Utc(2023, 3, 3, 3, 3, 3));  // saved again by another program
  const PathState editedLater = ReadPathState(edited);

  const ConsoleRun dryRun = RunFstamp({"undo", "--dry-run", journal});
  const ConsoleRun undo = RunFstamp({"undo", journal});

  EXPECT_EQ(dryRun.exitCode, 1u);
  EXPECT_EQ(undo.exitCode, 1u);
  EXPECT_EQ(dryRun.err, undo.err);
  EXPECT_EQ(undo.err.rfind("fstamp: " + edited + ": ", 0), 0u) << undo.err;
  EXPECT_EQ(ReadPathState(kept), keptBefore);
  EXPECT_EQ(ReadPathState(edited), editedLater);

  const ConsoleRun forced = RunFstamp({"undo", "--force", journal});
  EXPECT_EQ(forced.exitCode, 0u) << forced.err;
  EXPECT_EQ(ReadPathState(edited), editedBefore);
}

TEST(FstampUndo, ATruncatedOrForeignJournalChangesNothingAndExitsWithTwo) {
  TempFolder folder;
  const std::string path = MakeStampedFile(folder, "a.jpg", "a");
  const std::string journal = folder.Child("undo.journal");
  ASSERT_EQ(RunFstamp({"set", "-m", "+1d", "--journal", journal, path}).exitCode, 0u);
  const PathState changed = ReadPathState(path);
  std::string text;
  ASSERT_EQ(core::ReadWholeFile(journal, text), 0u);
  const std::string truncated = folder.Child("truncated.journal"), foreign = folder.Child("foreign.journal");
  ASSERT_EQ(core::WriteNewFileDurably(truncated, text.substr(0, text.size() - 3)), 0u);
  ASSERT_EQ(core::WriteNewFileDurably(foreign, "path,size\r\nC:\\a.txt,1\r\n"), 0u);

  for (const std::string& bad : {truncated, foreign}) {
    const ConsoleRun undo = RunFstamp({"undo", bad});
    EXPECT_EQ(undo.exitCode, 2u) << bad;
    EXPECT_EQ(undo.err.rfind("fstamp: '" + bad + "': ", 0), 0u) << undo.err;
    EXPECT_TRUE(Contains(undo.err, "Nothing was changed.")) << undo.err;
  }
  EXPECT_EQ(ReadPathState(path), changed);
}

TEST(Fstamp, HelpAndVersionPrintOnStdoutAndExitWithZero) {
  const ConsoleRun help = RunFstamp({"--help"});
  const ConsoleRun version = RunFstamp({"set", "--version"});

  EXPECT_EQ(help.exitCode, 0u);
  EXPECT_EQ(help.out.rfind("usage: fstamp", 0), 0u) << help.out;
  EXPECT_EQ(version.exitCode, 0u);
  EXPECT_EQ(version.out.rfind("fstamp ", 0), 0u) << version.out;
  EXPECT_EQ(std::count(version.out.begin(), version.out.end(), '.'), 2) << version.out;
}

// Runs as cli_tests_tz_berlin (a Wine process reads TZ once, at its start).
TEST(TimeZoneBerlin, LocalTimesTakeTheOffsetOfTheirOwnDate) {
  const char* zone = std::getenv("FILESTAMP_TEST_TZ");
  if (!zone || std::string(zone) != "Europe/Berlin") GTEST_SKIP() << "runs as cli_tests_tz_berlin";
  TempFolder folder;
  const std::string winter = folder.MakeFile("winter.txt"), summer = folder.MakeFile("summer.txt");

  EXPECT_EQ(RunFstamp({"set", "-m", "2024-01-15T12:00", winter}).exitCode, 0u);
  EXPECT_EQ(RunFstamp({"set", "-m", "2024-07-15T12:00", summer}).exitCode, 0u);
  const ConsoleRun show = RunFstamp({"show", "--format", "csv", winter, summer});

  EXPECT_EQ(ReadPathState(winter).modification, Utc(2024, 1, 15, 11, 0, 0));
  EXPECT_EQ(ReadPathState(summer).modification, Utc(2024, 7, 15, 10, 0, 0));
  EXPECT_TRUE(Contains(show.out, ",2024-01-15T12:00:00.0000000+01:00,")) << show.out;
  EXPECT_TRUE(Contains(show.out, ",2024-07-15T12:00:00.0000000+02:00,")) << show.out;
}

// A local time in the gap or in the repeated hour of this zone is refused, naming the two
// instants of a repeated one, and nothing is written.
void ExpectGapAndRepeatedHourRefused(const std::string& gap, const std::string& repeated,
                                     const std::vector<std::uint64_t>& repeatedInstants) {
  TempFolder folder;
  const std::string path = MakeStampedFile(folder, "a.txt", "a");
  const PathState before = ReadPathState(path);
  for (const std::string& when : {gap, repeated}) {
    const ConsoleRun run = RunFstamp({"set", "-m", when, path});
    EXPECT_EQ(run.exitCode, 2u) << when << ": " << run.err;
    EXPECT_EQ(run.out, "");
    if (when == repeated) {
      for (const std::uint64_t instant : repeatedInstants) EXPECT_TRUE(Contains(run.err, Iso(instant))) << run.err;
    }
  }
  EXPECT_EQ(ReadPathState(path), before);
}

TEST(TimeZoneBerlin, ALocalTimeInTheGapOrTheRepeatedHourIsRefused) {
  const char* zone = std::getenv("FILESTAMP_TEST_TZ");
  if (!zone || std::string(zone) != "Europe/Berlin") GTEST_SKIP() << "runs as cli_tests_tz_berlin";
  ExpectGapAndRepeatedHourRefused("2024-03-31 02:30", "2024-10-27 02:30",
                                  {Utc(2024, 10, 27, 0, 30, 0), Utc(2024, 10, 27, 1, 30, 0)});
}

// Runs as cli_tests_tz_new_york.
TEST(TimeZoneNewYork, ALocalTimeInTheGapOrTheRepeatedHourIsRefused) {
  const char* zone = std::getenv("FILESTAMP_TEST_TZ");
  if (!zone || std::string(zone) != "America/New_York") GTEST_SKIP() << "runs as cli_tests_tz_new_york";
  ExpectGapAndRepeatedHourRefused("2024-03-10 02:30", "2024-11-03T01:30",
                                  {Utc(2024, 11, 3, 5, 30, 0), Utc(2024, 11, 3, 6, 30, 0)});
}

}  // namespace
