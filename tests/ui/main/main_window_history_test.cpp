// 按钮_修改 records each change in the history before writing it, so that
// `fstamp undo --last` can take it back; the window looks and answers as before.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/message_boxes.h"
#include "core/history_store.h"
#include "tests/support/console_program.h"
#include "tests/support/file_state.h"
#include "tests/support/immutable_file.h"
#include "tests/support/main_window_harness.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_history.h"
#include "ui/main/main_design.h"

namespace {

using namespace ui::main;
using testing_support::MakeStampedFile;
using testing_support::MessageRecorder;
using testing_support::PathState;
using testing_support::Quoted;
using testing_support::ReadPathState;
using testing_support::TempFolder;

class MainWindowHistoryTest : public ::testing::Test {
 protected:
  void Open(const std::string& path) {
    ui_.emplace(Quoted(path));
    ui_->ShowAndSettle();
  }
  // Answers Yes and returns the texts of the boxes shown.
  std::vector<std::string> Modify() {
    MessageRecorder recorder({IDYES});
    ui_->Click(按钮_修改);
    return recorder.texts();
  }
  testing_support::TestHistory history_;
  TempFolder folder_;
  std::optional<testing_support::MainWindowHarness> ui_;
};

const std::vector<std::string> kModifiedTexts = {app::MessageRowOf(app::Message::kConfirmModify).text,
                                                 app::MessageRowOf(app::Message::kModifyDone).text};

TEST_F(MainWindowHistoryTest, AModifyIsRecordedAndUndoLastPutsTheFileBackToThe100ns) {
  const std::string path =
      MakeStampedFile(folder_, "照片.jpg", "abc", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  const FILETIME odd = testing_support::UtcTime(2019, 1, 1, 1, 1, 1, 1'234'567);
  testing_support::SetPathTimes(path, &odd, &odd, &odd);
  const PathState before = ReadPathState(path);
  Open(path);
  app::DtpSetTime((*ui_)[日期框_修改时间], core::LocalDateTime{2024, 5, 1, 12, 0, 0});
  ui_->Click(选择框_只读);
  ui_->Click(选择框_隐藏);

  ASSERT_EQ(Modify(), kModifiedTexts);
  ASSERT_NE(ReadPathState(path), before);
  ASSERT_EQ(history_.Entries().size(), 1u);

  const testing_support::ConsoleRun undo = testing_support::RunFstamp({"undo", "--last"});
  EXPECT_EQ(undo.exitCode, 0u) << undo.err;
  EXPECT_EQ(ReadPathState(path), before);
  EXPECT_TRUE(history_.Entries().at(0).undone);
}

TEST_F(MainWindowHistoryTest, AModifyThatChangesNothingLeavesNoEntry) {
  const std::string path = MakeStampedFile(folder_, "same.txt", "abc");
  Open(path);
  ASSERT_EQ(Modify(), kModifiedTexts);  // every control still shows what the file holds
  EXPECT_TRUE(history_.Entries().empty());

  app::DtpSetTime((*ui_)[日期框_修改时间], core::LocalDateTime{2024, 5, 1, 12, 0, 0});
  const testing_support::ImmutableFile lock(path);
  if (!lock.locked()) GTEST_SKIP() << "needs chattr +i on the Linux side";
  EXPECT_EQ(Modify().back(), app::MessageRowOf(app::Message::kModifyFailed).text);
  EXPECT_TRUE(history_.Entries().empty());
}

TEST_F(MainWindowHistoryTest, AnUnwritableHistoryLeavesTheChangeDoneAndTheMessagesAsBefore) {
  const std::string path = MakeStampedFile(folder_, "file.txt", "abc");
  const PathState before = ReadPathState(path);
  const testing_support::ImmutableFile lock(history_.MakeFolder());
  if (!lock.locked()) GTEST_SKIP() << "needs chattr +i on the Linux side";
  Open(path);
  app::DtpSetTime((*ui_)[日期框_访问时间], core::LocalDateTime{2024, 5, 1, 12, 0, 0});

  EXPECT_EQ(Modify(), kModifiedTexts);
  EXPECT_NE(ReadPathState(path).access, before.access);
  EXPECT_TRUE(history_.Entries().empty());
}

}  // namespace
