// The real program started with a folder argument, its batch run driven from this process as
// a user would drive it: settings, the modify button, the confirmation, the report.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "core/file_time_convert.h"
#include "core/local_date_time.h"
#include "core/win_handles.h"
#include "tests/support/file_state.h"
#include "tests/support/program_process.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace testing_support;

// Polls the condition every few milliseconds until it holds or the time is up.
bool Eventually(const std::function<bool()>& condition, int timeoutMs = 10000) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
  while (!condition()) {
    if (GetTickCount64() > end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return true;
}

// A picker of another process: the time record has to live in that process, since the
// system does not carry picker messages across.
void SetRemotePickerTime(HWND picker, const core::LocalDateTime& value) {
  DWORD pid = 0;
  GetWindowThreadProcessId(picker, &pid);
  core::UniqueKernelHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid));
  if (!process) throw std::runtime_error("cannot open the program's process");
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(value.year);
  time.wMonth = static_cast<WORD>(value.month);
  time.wDay = static_cast<WORD>(value.day);
  time.wHour = static_cast<WORD>(value.hour);
  time.wMinute = static_cast<WORD>(value.minute);
  time.wSecond = static_cast<WORD>(value.second);
  void* remote = VirtualAllocEx(process.get(), nullptr, sizeof time, MEM_COMMIT, PAGE_READWRITE);
  if (!remote) throw std::runtime_error("cannot allocate in the program's process");
  WriteProcessMemory(process.get(), remote, &time, sizeof time, nullptr);
  SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(remote));
  VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
}

bool BoxTicked(HWND checkBox) { return SendMessageA(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED; }

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
  ASSERT_TRUE(program.started());
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
  ASSERT_TRUE(Eventually([&] {
    return WindowText(status) == "共包含 4 个待处理的文件(夹)!" && IsWindowEnabled(group);
  })) << WindowText(status);

  // Hidden and archive ticked, the access time switched off, a chosen modification time.
  PostMessageA(hidden, BM_CLICK, 0, 0);
  PostMessageA(archive, BM_CLICK, 0, 0);
  PostMessageA(accessLabel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(accessLabel, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  SetRemotePickerTime(modificationPicker, modification);
  ASSERT_TRUE(Eventually([&] { return BoxTicked(hidden) && BoxTicked(archive) && !IsWindowEnabled(accessPicker); }));
  EXPECT_EQ(WindowText(modificationPicker), "2015-06-07 08:09:10");

  PostMessageA(modify, BM_CLICK, 0, 0);
  HWND confirm = WaitForMessageBox(program.id());
  ASSERT_NE(confirm, nullptr);
  EXPECT_EQ(MessageBoxText(confirm), "确认执行批量修改吗?");
  EXPECT_EQ(WindowText(confirm), "询问");
  EXPECT_TRUE(GetWindowLongA(GetDlgItem(confirm, IDNO), GWL_STYLE) & BS_DEFPUSHBUTTON) << "No is the default";
  AnswerMessageBox(confirm, IDYES);

  HWND done = WaitForMessageBox(program.id());
  ASSERT_NE(done, nullptr);
  EXPECT_EQ(MessageBoxText(done), "批量处理完毕!");
  EXPECT_EQ(WindowText(done), "提示");
  EXPECT_EQ(WindowText(status), "已成功处理 4 个文件(夹) ; 处理失败 0 个!");
  ASSERT_EQ(RemoteListViewRowCount(list), 4);
  for (int row = 0; row < 4; ++row) EXPECT_EQ(RemoteListViewText(list, row, 4), "成功") << row;
  AnswerMessageBox(done, IDOK);
  EXPECT_TRUE(IsWindowEnabled(group));

  const std::uint64_t written = Ticks(*core::LocalToFileTime(modification));
  for (const std::string& path : {folder, inner, a, b}) {
    const PathState state = ReadPathState(path);
    EXPECT_EQ(state.write, written) << path;
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
  EXPECT_TRUE(Eventually([&] { return !IsWindow(batch); }));
  PostMessageA(mainWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
