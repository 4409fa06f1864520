// Folders and lists of several paths go from the main window to the batch window.
#include <gtest/gtest.h>

#include "app/controls.h"
#include "tests/support/batch_link_recorder.h"
#include "tests/support/main_window_harness.h"
#include "tests/support/message_recorder.h"
#include "tests/support/window_probe.h"
#include "ui/main/main_design.h"

namespace {

using namespace ui::main;
using testing_support::BatchLinkRecorder;
using testing_support::MainWindowHarness;
using testing_support::Quoted;
using testing_support::TempFolder;

using Paths = std::vector<std::string>;

class MainWindowHandOverTest : public ::testing::Test {
 protected:
  // The main window as the design leaves it until a file is shown.
  void ExpectUntouched(const MainWindowHarness& ui) {
    EXPECT_EQ(app::GetText(ui[编辑框_文件路径]), "");
    EXPECT_EQ(app::GetText(ui[编辑框_文件大小]), "");
    EXPECT_FALSE(IsWindowEnabled(ui[按钮_修改]));
    EXPECT_FALSE(IsWindowEnabled(ui[日期框_修改时间]));
    EXPECT_FALSE(IsWindowEnabled(ui[选择框_只读]));
    EXPECT_EQ(testing_support::ColorsChosenFor(ui[标签_文件大小]).text, RGB(128, 128, 128));
  }

  TempFolder folder_;
};

TEST_F(MainWindowHandOverTest, FolderOnTheCommandLineOpensTheBatchWindowWithIt) {
  const std::string folder = folder_.MakeFolder("a folder");
  BatchLinkRecorder batch;
  MainWindowHarness ui(Quoted(folder));
  ui.ShowAndSettle();

  EXPECT_EQ(batch.opened(), 1);
  EXPECT_EQ(batch.handed(), std::vector<Paths>{Paths{folder}});
  EXPECT_FALSE(IsWindowVisible(ui.hwnd())) << "only one window is visible at a time";
  ExpectUntouched(ui);
}

TEST_F(MainWindowHandOverTest, BatchWindowThatCannotBeCreatedLeavesTheMainWindowVisible) {
  BatchLinkRecorder batch(/*isOpen=*/false, /*opens=*/false);
  MainWindowHarness ui;
  ui.ShowAndSettle();

  ui.Click(按钮_批量修改);
  EXPECT_EQ(batch.opened(), 1);
  EXPECT_TRUE(IsWindowVisible(ui.hwnd())) << "the user would be left without a window";

  ui.window().TakePaths({folder_.MakeFolder("f")});
  EXPECT_EQ(batch.opened(), 2);
  EXPECT_TRUE(batch.handed().empty());
  EXPECT_TRUE(IsWindowVisible(ui.hwnd()));
}

TEST_F(MainWindowHandOverTest, TwoFilesOnTheCommandLineGoToTheBatchWindowInTheirOrder) {
  const std::string second = folder_.MakeFile("b.txt");
  const std::string first = folder_.MakeFile("a file.txt");
  BatchLinkRecorder batch;
  MainWindowHarness ui(Quoted(second) + " " + Quoted(first));
  ui.ShowAndSettle();

  EXPECT_EQ(batch.opened(), 1);
  EXPECT_EQ(batch.handed(), std::vector<Paths>{(Paths{second, first})});
  ExpectUntouched(ui);
}

TEST_F(MainWindowHandOverTest, SeveralPathsAreHandedOverUnfilteredMissingOnesIncluded) {
  const std::string file = folder_.MakeFile("here.txt");
  const std::string missing = folder_.Child("not here.txt");
  BatchLinkRecorder batch;
  MainWindowHarness ui(Quoted(missing) + " " + file + " " + Quoted(missing));
  ui.ShowAndSettle();

  EXPECT_EQ(batch.handed(), std::vector<Paths>{(Paths{missing, file, missing})});
  ExpectUntouched(ui);
}

TEST_F(MainWindowHandOverTest, OpenBatchWindowIsReusedNotOpenedAgain) {
  const std::string folder = folder_.MakeFolder("reused");
  BatchLinkRecorder batch(/*isOpen=*/true);
  MainWindowHarness ui(Quoted(folder));
  ui.ShowAndSettle();

  EXPECT_EQ(batch.opened(), 0);
  EXPECT_EQ(batch.handed(), std::vector<Paths>{Paths{folder}});
}

TEST_F(MainWindowHandOverTest, ShownFileStaysWhenAFolderIsHandedOver) {
  const std::string file = folder_.MakeFile("shown.txt", "abcd");
  const std::string folder = folder_.MakeFolder("later");
  BatchLinkRecorder batch;
  MainWindowHarness ui(Quoted(file));
  ui.ShowAndSettle();
  const std::string size = app::GetText(ui[编辑框_文件大小]);

  ui.window().TakePaths({folder});

  EXPECT_EQ(batch.handed(), std::vector<Paths>{Paths{folder}});
  EXPECT_EQ(app::GetText(ui[编辑框_文件路径]), file);
  EXPECT_EQ(app::GetText(ui[编辑框_文件大小]), size);
}

TEST_F(MainWindowHandOverTest, BatchButtonHidesTheMainWindowAndOpensAnEmptyBatchWindow) {
  BatchLinkRecorder batch;
  MainWindowHarness ui;
  ui.ShowAndSettle();

  ui.Click(按钮_批量修改);

  EXPECT_EQ(batch.opened(), 1);
  EXPECT_TRUE(batch.handed().empty());
  EXPECT_FALSE(IsWindowVisible(ui.hwnd()));
  EXPECT_TRUE(IsWindow(ui.hwnd())) << "hidden, not destroyed";
  EXPECT_TRUE(IsWindowEnabled(ui.hwnd())) << "hidden, not disabled";
}

}  // namespace
