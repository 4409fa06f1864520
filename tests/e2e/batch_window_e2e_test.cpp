// The real program started with a folder argument: read from this process, as another
// program (or a user) sees it.
#include <gtest/gtest.h>

#include "tests/support/program_process.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace testing_support;

TEST(BatchWindowEndToEnd, FolderArgumentOpensTheBatchWindowWithTheFolderRows) {
  TempFolder temp;
  const std::string a = temp.MakeFolder("A");
  temp.MakeFolder("A\\B");
  temp.MakeFile("A\\B\\x.txt");
  temp.MakeFile("A\\f.txt");

  ProgramProcess program({a});
  HWND batch = program.WaitForWindow("FileStampBatchWindow");
  ASSERT_NE(batch, nullptr);
  EXPECT_EQ(RemoteText(batch), "批量修改");

  HWND list = FindControlAt(batch, "SysListView32", 5, 94);
  HWND status = FindFirstControl(batch, "msctls_statusbar32");
  ASSERT_NE(list, nullptr);
  ASSERT_NE(status, nullptr);

  // Adding runs after the window shows: wait for the count text.
  const std::string countText = "共包含 3 个待处理的文件(夹)!";
  program.PollWhileRunning([&] { return RemoteText(status) == countText; });
  EXPECT_EQ(RemoteText(status), countText);
  ASSERT_EQ(RemoteListViewRowCount(list), 3);
  EXPECT_EQ(RemoteListViewText(list, 0, 3), a);
  EXPECT_EQ(RemoteListViewText(list, 0, 2), "文件夹 ");
  EXPECT_EQ(RemoteListViewText(list, 1, 3), a + "\\B");
  EXPECT_EQ(RemoteListViewText(list, 2, 0), "f.txt");
  EXPECT_EQ(RemoteListViewText(list, 2, 4), " -");

  // The main window is hidden while the batch window is open; closing the batch window
  // brings it back, and closing that ends the program with exit code 0.
  EXPECT_EQ(program.TopWindow("FileStampMainWindow"), nullptr);
  PostMessageA(batch, WM_CLOSE, 0, 0);
  HWND mainWindow = program.WaitForWindow("FileStampMainWindow");
  ASSERT_NE(mainWindow, nullptr);
  PostMessageA(mainWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
