// fstamp's history driven as a process: every set leaves an entry in the folder LOCALAPPDATA
// names (a temporary one here), which `history` lists and `undo --last` / `undo ID` take back.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "core/history_store.h"
#include "core/text_encoding.h"
#include "tests/support/console_program.h"
#include "tests/support/file_state.h"
#include "tests/support/immutable_file.h"
#include "tests/support/main_window_harness.h"
#include "tests/support/scoped_variable.h"
#include "tests/support/test_history.h"
#include "tests/support/temp_folder.h"

namespace {

using testing_support::ConsoleRun;
using testing_support::MakeStampedFile;
using testing_support::PathState;
using testing_support::ReadPathState;
using testing_support::RunFstamp;
using testing_support::ScopedVariable;
using testing_support::TempFolder;

class FstampHistory : public testing::Test {
 protected:
  testing_support::TestHistory history_;
  TempFolder folder_;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(FstampHistory, UndoLastPutsBackTheExactTicksAndFlagsMarksTheEntryAndIsRefusedAgain) {
  const std::vector<std::string> paths = {
      folder_.MakeFolder("照片"), MakeStampedFile(folder_, "照片\\a.jpg", "a", FILE_ATTRIBUTE_READONLY),
      MakeStampedFile(folder_, "照片\\b.jpg", "b", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE)};
  const FILETIME odd = testing_support::UtcTime(2019, 1, 1, 1, 1, 1, 1'234'567);
  testing_support::SetPathTimes(paths[1], nullptr, &odd, &odd);
  const auto states = [&] {
    std::vector<PathState> all;
    for (const std::string& path : paths) all.push_back(ReadPathState(path));
    return all;
  };
  const std::vector<PathState> original = states();

  const ConsoleRun set = RunFstamp({"set", "-m", "now", "-a", "-3d", "--attrib", "+H", "-r", paths[0]});
  ASSERT_EQ(set.exitCode, 0u) << set.err;
  ASSERT_NE(states(), original);
  ASSERT_EQ(history_.Entries().size(), 1u);
  const std::string id = history_.Entries()[0].id;

  const ConsoleRun dryRun = RunFstamp({"undo", "--dry-run", "--last"});
  EXPECT_EQ(dryRun.exitCode, 0u) << dryRun.err;
  EXPECT_FALSE(history_.Entries()[0].undone);
  const ConsoleRun undo = RunFstamp({"undo", "--last"});
  EXPECT_EQ(undo.exitCode, 0u) << undo.err;
  EXPECT_EQ(states(), original);
  EXPECT_TRUE(history_.Entries()[0].undone);

  for (const std::string& again : {std::string("--last"), id}) {
    const ConsoleRun refused = RunFstamp({"undo", again});
    EXPECT_EQ(refused.exitCode, 2u) << again;
    EXPECT_EQ(Lines(refused.err).size(), 1u) << refused.err;
  }
}

TEST_F(FstampHistory, AnEntryWhosePathsWereLeftAloneStaysUntilForced) {
  const std::string kept = MakeStampedFile(folder_, "kept.txt", "a", 0),
                    edited = MakeStampedFile(folder_, "edited.txt", "b", 0);
  const PathState editedBefore = ReadPathState(edited);
  ASSERT_EQ(RunFstamp({"set", "-m", "2020-01-01T00:00:00Z", kept, edited}).exitCode, 0u);
  const FILETIME later = testing_support::UtcTime(2023, 3, 3, 3, 3, 3);
  testing_support::SetPathTimes(edited, nullptr, nullptr, &later);  // saved again by another program
  const std::string id = history_.Entries().at(0).id;

  EXPECT_EQ(RunFstamp({"undo", id}).exitCode, 1u);
  EXPECT_FALSE(history_.Entries()[0].undone);
  EXPECT_EQ(RunFstamp({"undo", "--force", id}).exitCode, 0u);
  EXPECT_TRUE(history_.Entries()[0].undone);
  EXPECT_EQ(ReadPathState(edited), editedBefore);
}

TEST_F(FstampHistory, ARunThatChangesNothingOrIsToldNotToRecordLeavesNoEntry) {
  const std::string locked = MakeStampedFile(folder_, "locked.txt", "l", 0);
  const std::string file = MakeStampedFile(folder_, "file.txt", "f", FILE_ATTRIBUTE_ARCHIVE);
  const testing_support::ImmutableFile immutable(locked);
  const struct {
    const char* what;
    std::vector<std::string> args;
    std::optional<std::string> noHistory;
    bool changes;
  } cases[] = {
      {"every path failed", {"set", "-m", "+1d", locked}, std::nullopt, false},
      {"nothing differed", {"set", "--attrib", "+A", file}, std::nullopt, false},
      {"dry run", {"set", "--dry-run", "-m", "+1d", file}, std::nullopt, false},
      {"--no-history", {"set", "--no-history", "-m", "+1d", file}, std::nullopt, true},
      {"FILESTAMP_NO_HISTORY=1", {"set", "-m", "+1d", file}, "1", true},
  };
  for (const auto& c : cases) {
    if (c.args.back() == locked && !immutable.locked()) continue;  // chattr +i is not available here
    const ScopedVariable noHistory(L"FILESTAMP_NO_HISTORY", c.noHistory);
    const PathState before = ReadPathState(c.args.back());

    const ConsoleRun run = RunFstamp(c.args);

    EXPECT_EQ(ReadPathState(c.args.back()) != before, c.changes) << c.what << run.err;
    EXPECT_EQ(history_.Entries().size(), 0u) << c.what;
    core::ClearHistory(core::HistoryFolder());  // each case on its own
  }
}

TEST_F(FstampHistory, AnUnwritableHistoryFolderLeavesTheChangeDoneAndWarnsOnce) {
  const std::string file = MakeStampedFile(folder_, "file.txt", "f", 0);
  const PathState before = ReadPathState(file);
  ASSERT_EQ(RunFstamp({"set", "-a", "+1d", file}).exitCode, 0u);  // makes the folder
  const testing_support::ImmutableFile immutable(core::HistoryFolder());
  if (!immutable.locked()) GTEST_SKIP() << "chattr +i is not available here";

  const ConsoleRun run = RunFstamp({"set", "-m", "2015-05-05T05:05:05Z", file});

  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
  EXPECT_NE(ReadPathState(file).modification, before.modification);
  EXPECT_EQ(history_.Entries().size(), 1u);  // only the earlier one
}

TEST_F(FstampHistory, ANewEntryBeyondTheBoundTakesTheOldestsPlace) {
  const std::string file = MakeStampedFile(folder_, "file.txt", "f", 0);
  const std::uint64_t start = testing_support::Ticks(testing_support::UtcTime(2020, 1, 1, 0, 0, 0));
  std::vector<std::string> ids(core::HistoryLimits{}.entries);
  for (std::size_t i = 0; i < ids.size(); ++i)
    ASSERT_EQ(core::RecordHistory(core::HistoryFolder(), start + i * 10'000'000, "older", ids[i]), 0u);

  ASSERT_EQ(RunFstamp({"set", "-m", "+1d", file}).exitCode, 0u);

  const auto entries = history_.Entries();
  ASSERT_EQ(entries.size(), ids.size());
  EXPECT_EQ(std::count(ids.begin(), ids.end(), entries.front().id), 0);  // the new one
  EXPECT_EQ(entries.back().id, ids[1]);
}

TEST_F(FstampHistory, HistoryListsEntriesNewestFirstWithWhatWasAskedAndClearRemovesThem) {
  const std::string file = MakeStampedFile(folder_, "file.txt", "f", 0);
  const std::vector<std::vector<std::string>> runs = {{"set", "-m", "+1d", file}, {"set", "--attrib", "+H", file}};
  for (const auto& args : runs) ASSERT_EQ(RunFstamp(args).exitCode, 0u);
  ASSERT_EQ(RunFstamp({"undo", "--last"}).exitCode, 0u);
  const auto entries = history_.Entries();
  ASSERT_EQ(entries.size(), 2u);

  const ConsoleRun list = RunFstamp({"history"});

  EXPECT_EQ(list.exitCode, 0u) << list.err;
  const auto lines = Lines(list.out);
  ASSERT_EQ(lines.size(), 2u) << list.out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto& asked = runs[runs.size() - 1 - i];
    EXPECT_EQ(lines[i].rfind(entries[i].id + "  ", 0), 0u) << lines[i];
    EXPECT_TRUE(Contains(lines[i], asked[0] + " " + asked[1] + " " + asked[2])) << lines[i];
    EXPECT_EQ(lines[i].ends_with("undone"), entries[i].undone) << lines[i];
  }
  EXPECT_TRUE(entries[0].undone);

  EXPECT_EQ(RunFstamp({"history", "--clear"}).exitCode, 0u);
  EXPECT_EQ(history_.Entries().size(), 0u);
}

}  // namespace
