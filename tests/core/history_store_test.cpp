// The history folder: one journal per change, never overwritten, bounded, marked when undone.
#include "core/history_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/whole_file.h"
#include "tests/support/file_state.h"
#include "tests/support/immutable_file.h"
#include "tests/support/scoped_variable.h"
#include "tests/support/temp_folder.h"

namespace core {
namespace {

using testing_support::TempFolder;

const std::uint64_t kStart = testing_support::Ticks(testing_support::UtcTime(2024, 5, 1, 12, 0, 0, 1'234'567));

std::vector<std::string> Ids(const std::vector<HistoryEntry>& entries) {
  std::vector<std::string> ids;
  for (const HistoryEntry& entry : entries) ids.push_back(entry.id);
  return ids;
}

std::string Contents(const std::string& path) {
  std::string bytes;
  EXPECT_EQ(ReadWholeFile(path, bytes), 0u);
  return bytes;
}

TEST(HistoryStore, ChangesStartingAtTheSameMomentGetAnEntryEachInAFolderMadeOnDemand) {
  TempFolder dir;
  const std::string folder = dir.Child("FileStamp\\history");
  std::vector<std::string> ids(3);
  for (std::size_t i = 0; i < ids.size(); ++i)
    ASSERT_EQ(RecordHistory(folder, kStart, "journal " + std::to_string(i), ids[i]), 0u);

  EXPECT_EQ(ids, (std::vector<std::string>{"20240501-120000-123", "20240501-120000-123-2", "20240501-120000-123-3"}));
  const auto entries = ListHistory(folder);
  ASSERT_EQ(Ids(entries), (std::vector<std::string>{ids[2], ids[1], ids[0]}));  // newest first
  for (std::size_t i = 0; i < entries.size(); ++i)
    EXPECT_EQ(Contents(entries[i].path), "journal " + std::to_string(2 - i));
}

TEST(HistoryStore, AnEntryIsMarkedUndoneOnceAndRemovedWithItsMark) {
  TempFolder dir;
  std::string older, newer;
  ASSERT_EQ(RecordHistory(dir.path(), kStart, "a", older), 0u);
  ASSERT_EQ(RecordHistory(dir.path(), kStart + 10'000'000, "b", newer), 0u);

  ASSERT_EQ(MarkUndone(dir.path(), older), 0u);
  EXPECT_NE(MarkUndone(dir.path(), older), 0u);
  auto entries = ListHistory(dir.path());
  ASSERT_EQ(Ids(entries), (std::vector<std::string>{newer, older}));
  EXPECT_FALSE(entries[0].undone);
  EXPECT_TRUE(entries[1].undone);

  EXPECT_EQ(RemoveHistoryEntry(dir.path(), older), 0u);
  EXPECT_EQ(Ids(ListHistory(dir.path())), std::vector<std::string>{newer});
  ASSERT_EQ(MarkUndone(dir.path(), newer), 0u);
  EXPECT_EQ(ClearHistory(dir.path()), 0u);
  EXPECT_TRUE(ListHistory(dir.path()).empty());
}

// The bound by count and by size; the entry just written stays even when it alone is too big.
TEST(HistoryStore, PruningRemovesTheOldestBeyondEitherBoundButNeverTheNewEntry) {
  const struct {
    HistoryLimits limits;
    std::size_t left;
  } cases[] = {
      {{100, std::uint64_t{1} << 30}, 100},  // 101 entries: the oldest goes
      {{200, 25}, 25},                       // one byte per entry here
      {{200, 0}, 1},
  };
  for (const auto& c : cases) {
    TempFolder dir;
    std::string id;
    for (int i = 0; i < 101; ++i) ASSERT_EQ(RecordHistory(dir.path(), kStart + i * 10'000ull, "x", id), 0u);
    const auto before = ListHistory(dir.path());

    PruneHistory(dir.path(), c.limits, id);

    const auto after = ListHistory(dir.path());
    ASSERT_EQ(after.size(), c.left);
    EXPECT_EQ(after.front().id, id);
    EXPECT_EQ(after.back().id, before[c.left - 1].id);  // the newest ones are the ones kept
  }
}

TEST(HistoryStore, AFolderThatRefusesWritesFailsTheRecordAndLeavesNothing) {
  TempFolder dir;
  const std::string folder = dir.MakeFolder("history");
  testing_support::ImmutableFile lock(folder);
  if (!lock.locked()) GTEST_SKIP() << "needs chattr +i on the Linux side";
  std::string id;
  EXPECT_NE(RecordHistory(folder, kStart, "journal", id), 0u);
  EXPECT_TRUE(id.empty());
  EXPECT_TRUE(ListHistory(folder).empty());
}

TEST(HistoryStore, TheFolderIsUnderLocalAppData) {
  TempFolder dir;
  {
    const testing_support::ScopedVariable named(L"LOCALAPPDATA", dir.path());
    EXPECT_EQ(HistoryFolder(), dir.path() + "\\FileStamp\\history");
  }
  const testing_support::ScopedVariable unnamed(L"LOCALAPPDATA", std::nullopt);
  EXPECT_FALSE(HistoryFolder().empty());  // the known folder, when the environment names none
}

}  // namespace
}  // namespace core
