// A batch run records its change in the history before the first write, so that
// `fstamp undo --last` can take the whole run back; the window answers as before.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/controls.h"
#include "app/message_boxes.h"
#include "core/history_store.h"
#include "tests/support/batch_window_driver.h"
#include "tests/support/console_program.h"
#include "tests/support/file_state.h"
#include "tests/support/immutable_file.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_history.h"
#include "tests/support/temp_folder.h"
#include "ui/batch/batch_design.h"

namespace {

using namespace ui::batch;
using testing_support::PathState;
using testing_support::ReadPathState;
using testing_support::TempFolder;

class BatchHistoryTest : public ::testing::Test {
 protected:
  // A file with times to the 100 ns and the given flags.
  std::string MakeFile(const std::string& name, DWORD attributes) {
    const std::string path = folder_.MakeFile(name);
    const FILETIME odd = testing_support::UtcTime(2019, 1, 1, 1, 1, 1, 1'234'567);
    testing_support::SetPathTimes(path, &odd, &odd, &odd);
    SetFileAttributesA(path.c_str(), attributes);
    return path;
  }
  // Sets the modification time and the flags to hidden and archive (this platform keeps
  // archive on every file), answers Yes; returns the boxes' texts.
  std::vector<std::string> Run(const std::vector<std::string>& paths) {
    driver_.window().AddPaths(paths);
    driver_.PressLabel(标签_创建时间);
    driver_.PressLabel(标签_访问时间);
    app::DtpSetTime(driver_.control(日期框_修改时间), core::LocalDateTime{2024, 5, 1, 12, 0, 0});
    app::SetChecked(driver_.control(选择框_隐藏), true);
    app::SetChecked(driver_.control(选择框_存档), true);
    testing_support::MessageRecorder messages({IDYES});
    driver_.window().RunBatch();
    return messages.texts();
  }
  testing_support::TestHistory history_;
  TempFolder folder_;
  testing_support::BatchWindowDriver driver_;
};

const std::vector<std::string> kDoneTexts = {app::MessageRowOf(app::Message::kConfirmBatch).text,
                                             app::MessageRowOf(app::Message::kBatchDone).text};

TEST_F(BatchHistoryTest, ARunIsRecordedAndUndoLastPutsEveryPathBackToThe100ns) {
  const std::vector<std::string> paths = {
      MakeFile("a.jpg", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE), MakeFile("照片.jpg", FILE_ATTRIBUTE_SYSTEM)};
  std::vector<PathState> before;
  for (const std::string& path : paths) before.push_back(ReadPathState(path));

  ASSERT_EQ(Run(paths), kDoneTexts);
  ASSERT_EQ(history_.Entries().size(), 1u);
  const testing_support::ConsoleRun history = testing_support::RunFstamp({"history"});
  EXPECT_NE(history.out.find("filestamp  batch: modified := 2024-05-01 12:00:00, =HA  2 paths"), std::string::npos)
      << history.out;

  const testing_support::ConsoleRun undo = testing_support::RunFstamp({"undo", "--last"});
  EXPECT_EQ(undo.exitCode, 0u) << undo.err;
  for (std::size_t i = 0; i < paths.size(); ++i) EXPECT_EQ(ReadPathState(paths[i]), before[i]) << paths[i];
}

TEST_F(BatchHistoryTest, ARunWhereEveryRowFailedLeavesNoEntry) {
  const std::string locked = MakeFile("locked.txt", FILE_ATTRIBUTE_ARCHIVE);
  const std::string gone = MakeFile("gone.txt", FILE_ATTRIBUTE_ARCHIVE);
  const testing_support::ImmutableFile lock(locked);
  if (!lock.locked()) GTEST_SKIP() << "needs chattr +i on the Linux side";
  driver_.window().AddPaths({gone});
  ASSERT_TRUE(DeleteFileA(gone.c_str()));

  EXPECT_EQ(Run({locked}).size(), 3u);  // the failed paths are listed
  EXPECT_TRUE(history_.Entries().empty());
}

TEST_F(BatchHistoryTest, AnUnwritableHistoryLeavesTheRunDoneAndTheMessagesAsBefore) {
  const std::string file = MakeFile("file.txt", FILE_ATTRIBUTE_ARCHIVE);
  const PathState before = ReadPathState(file);
  const testing_support::ImmutableFile lock(history_.MakeFolder());
  if (!lock.locked()) GTEST_SKIP() << "needs chattr +i on the Linux side";

  EXPECT_EQ(Run({file}), kDoneTexts);
  EXPECT_NE(ReadPathState(file), before);
  EXPECT_TRUE(history_.Entries().empty());
}

}  // namespace
