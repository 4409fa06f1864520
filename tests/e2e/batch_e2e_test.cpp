// The real program started with a folder argument, its batch run driven from this process as
// a user would drive it: settings, the modify button, the confirmation, the report.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/file_time_convert.h"
#include "core/local_date_time.h"
#include "tests/support/file_state.h"
#include "tests/support/program_process.h"
#include "tests/support/temp_folder.h"
#include "tests/support/window_probe.h"

namespace {

using namespace testing_support;

TEST(BatchRunEndToEnd, ModifyWritesTheSettingToEveryRowOfAFolderArgument) {
  TempFolder temp;
  const std::string folder = temp.MakeFolder("batch");
  const std::string inner = temp.MakeFolder("batch\\inner");
  const std::string a = temp.MakeFile("batch\\a.txt");
  const std::string b = temp.MakeFile("batch\\b.txt");
  const FILETIME oldAccess = UtcTime(2004, 4, 4, 4, 4, 4);
  const FILETIME oldWrite = UtcTime(2005, 5, 5, 5, 5, 5);
  for (const std::string& file : {a, b}) SetPathTimes(file, nullptr, &oldAccess, &oldWrite);
  const core::LocalDateTime modification{2015, 6, 7, 8, 9, 10};

  ProgramProcess program({folder});
  HWND batch = program.WaitForWindow("FileStampBatchWindow");
  ASSERT_NE(batch, nullptr);
  HWND list = FindControlAt(batch, "SysListView32", 5, 94);
  HWND status = FindFirstControl(batch, "msctls_statusbar32");
  HWND group = FindControlByText(batch, "Button", "文件属性");
  HWND hidden = FindControlByText(batch, "Button", "隐藏");
  HWND archive = FindControlByText(batch, "Button", "存档");
  HWND modify = FindControlByText(batch, "Button", "修改(&M)...");
  HWND accessLabel = FindControlByText(batch, "Static", "访问时间:");
  HWND accessPicker = FindControlAt(batch, "SysDateTimePick32", 76, 56);
  HWND modificationPicker = FindControlAt(batch, "SysDateTimePick32", 312, 25);
  for (HWND control : {list, status, group, hidden, archive, modify, accessLabel, accessPicker, modificationPicker})
    ASSERT_NE(control, nullptr);

  // The folder, its subfolder and its two files; adding is over once the group is enabled.
  ASSERT_TRUE(program.PollWhileRunning([&] {
    return RemoteText(status) == "共包含 4 个待处理的文件(夹)!" && IsWindowEnabled(group);
  })) << RemoteText(status);

  // Hidden and archive ticked, the access time switched off, a chosen modification time.
  PostMessageA(hidden, BM_CLICK, 0, 0);
  PostMessageA(archive, BM_CLICK, 0, 0);
  PostMessageA(accessLabel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(accessLabel, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  SetRemotePickerTime(modificationPicker, modification);
  ASSERT_TRUE(program.PollWhileRunning(
      [&] { return RemoteTicked(hidden) && RemoteTicked(archive) && !IsWindowEnabled(accessPicker); }));
  EXPECT_EQ(RemoteText(modificationPicker), "2015-06-07 08:09:10");

  PostMessageA(modify, BM_CLICK, 0, 0);
  HWND confirm = program.WaitForMessageBox();
  ASSERT_NE(confirm, nullptr);
  EXPECT_EQ(MessageBoxText(confirm), "确认执行批量修改吗?");
  EXPECT_EQ(RemoteText(confirm), "询问");
  EXPECT_TRUE(StyleOf(GetDlgItem(confirm, IDNO)) & BS_DEFPUSHBUTTON) << "No is the default";
  program.AnswerMessageBox(confirm, IDYES);

  HWND done = program.WaitForMessageBox();
  ASSERT_NE(done, nullptr);
  EXPECT_EQ(MessageBoxText(done), "批量处理完毕!");
  EXPECT_EQ(RemoteText(done), "提示");
  EXPECT_EQ(RemoteText(status), "已成功处理 4 个文件(夹) ; 处理失败 0 个!");
  ASSERT_EQ(RemoteListViewRowCount(list), 4);
  for (int row = 0; row < 4; ++row) EXPECT_EQ(RemoteListViewText(list, row, 4), "成功") << row;
  program.AnswerMessageBox(done, IDOK);
  EXPECT_TRUE(IsWindowEnabled(group));

  const std::uint64_t written = Ticks(*core::LocalToFileTime(modification));
  for (const std::string& path : {folder, inner, a, b}) {
    const PathState state = ReadPathState(path);
    EXPECT_EQ(state.modification, written) << path;
    EXPECT_TRUE(state.attributes & FILE_ATTRIBUTE_HIDDEN) << path;
  }
  // Listing a folder may touch its access time; the files' were left alone until the run.
  for (const std::string& file : {a, b}) {
    const PathState state = ReadPathState(file);
    EXPECT_EQ(state.access, Ticks(oldAccess)) << file;
    EXPECT_TRUE(state.attributes & FILE_ATTRIBUTE_ARCHIVE) << file;
    EXPECT_FALSE(state.attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM)) << file;
  }

  PostMessageA(batch, WM_CLOSE, 0, 0);
  HWND mainWindow = program.WaitForWindow("FileStampMainWindow");
  ASSERT_NE(mainWindow, nullptr);
  // The main window comes back while the batch window is still being destroyed.
  EXPECT_TRUE(program.PollWhileRunning([&] { return !IsWindow(batch); }));
  PostMessageA(mainWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
