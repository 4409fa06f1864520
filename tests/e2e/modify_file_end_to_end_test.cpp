// The real program, started with a file and driven from outside as a user would.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <optional>

#include "core/program_folder.h"
#include "core/file_time_convert.h"
#include "core/local_date_time.h"
#include "tests/support/file_state.h"
#include "tests/support/main_window_harness.h"
#include "tests/support/program_process.h"
#include "tests/support/temp_folder.h"
#include "tests/support/window_probe.h"

namespace {

using testing_support::FindControlAt;
using testing_support::MessageBoxText;
using testing_support::ProgramProcess;
using testing_support::RemoteText;
using testing_support::RemoteTicked;
using testing_support::TempFolder;

std::optional<core::LocalDateTime> ParseShownTime(const std::string& text) {
  int y, mo, d, h, mi, s;
  if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s) != 6) return std::nullopt;
  return core::LocalDateTime{y, mo, d, h, mi, s};
}

std::uint64_t UtcTicks(const core::LocalDateTime& local) {
  return testing_support::Ticks(core::LocalToFileTime(local).value());
}

// Its controls, found by class and place in the client area as a user sees them.
struct MainControls {
  HWND path, size, creation, modification, access, readOnly, archive, hidden, system, modify;
};
MainControls FindControls(HWND main) {
  return {FindControlAt(main, "Edit", 74, 74),
          FindControlAt(main, "Edit", 76, 130),
          FindControlAt(main, DATETIMEPICK_CLASSA, 312, 130),
          FindControlAt(main, DATETIMEPICK_CLASSA, 76, 161),
          FindControlAt(main, DATETIMEPICK_CLASSA, 312, 161),
          FindControlAt(main, "Button", 76, 195),
          FindControlAt(main, "Button", 177, 195),
          FindControlAt(main, "Button", 283, 195),
          FindControlAt(main, "Button", 386, 195),
          FindControlAt(main, "Button", 386, 226)};
}

TEST(FileStampProgram, ModifiesTheFileNamedOnTheCommandLineAfterConfirmationAndExitsWithZero) {
  TempFolder folder;
  const std::string path = testing_support::MakeStampedFile(folder, "end to end.txt", std::string(4321, 'e'),
                                                            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  ProgramProcess program({path}, folder.path());

  HWND main = program.WaitForWindow("FileStampMainWindow");
  ASSERT_NE(main, nullptr) << "no main window appeared";
  const MainControls c = FindControls(main);
  for (HWND control : {c.path, c.size, c.creation, c.modification, c.access, c.readOnly, c.archive, c.hidden,
                       c.system, c.modify})
    ASSERT_NE(control, nullptr);

  // The file is shown once the window has been activated.
  ASSERT_TRUE(program.PollWhileRunning([&] { return RemoteText(c.path) == path; })) << RemoteText(c.path);
  const std::string size = RemoteText(c.size);
  EXPECT_NE(size.find("(4,321 字节)"), std::string::npos) << size;
  EXPECT_TRUE(RemoteTicked(c.hidden));
  EXPECT_FALSE(RemoteTicked(c.system));
  EXPECT_FALSE(RemoteTicked(c.readOnly));
  EXPECT_TRUE(IsWindowEnabled(c.modify));

  const auto shownWrite = ParseShownTime(RemoteText(c.modification));
  ASSERT_TRUE(shownWrite.has_value()) << RemoteText(c.modification);
  core::LocalDateTime expectedWrite = core::FileTimeToLocal(testing_support::KnownWrite()).value();
  EXPECT_EQ(*shownWrite, expectedWrite);

  // The user ticks 系统, clicks the year of the modification time and steps it up by one with
  // the arrow key, then presses 修改.
  PostMessageA(c.system, BM_CLICK, 0, 0);
  ASSERT_TRUE(program.PollWhileRunning([&] { return RemoteTicked(c.system); }));
  PostMessageA(c.modification, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 11));
  PostMessageA(c.modification, WM_LBUTTONUP, 0, MAKELPARAM(8, 11));
  PostMessageA(c.modification, WM_KEYDOWN, VK_UP, 0x00480001);
  PostMessageA(c.modification, WM_KEYUP, VK_UP, 0xC0480001);
  ++expectedWrite.year;
  ASSERT_TRUE(program.PollWhileRunning([&] { return ParseShownTime(RemoteText(c.modification)) == expectedWrite; }))
      << RemoteText(c.modification);
  const auto creation = ParseShownTime(RemoteText(c.creation));
  const auto modification = ParseShownTime(RemoteText(c.modification));
  const auto access = ParseShownTime(RemoteText(c.access));
  ASSERT_TRUE(creation && modification && access)
      << RemoteText(c.creation) << " / " << RemoteText(c.modification) << " / " << RemoteText(c.access);
  EXPECT_EQ(*access, core::FileTimeToLocal(testing_support::KnownAccess()).value());
  PostMessageA(c.modify, BM_CLICK, 0, 0);

  // The confirmation: Yes is the default button; the box is owned by the main window.
  HWND question = program.WaitForMessageBox();
  ASSERT_NE(question, nullptr);
  ASSERT_EQ(MessageBoxText(question), "确认修改文件时间及属性?");
  EXPECT_EQ(RemoteText(question), "询问");
  EXPECT_EQ(GetWindow(question, GW_OWNER), main);
  HWND yes = GetDlgItem(question, IDYES);
  ASSERT_NE(yes, nullptr);
  ASSERT_NE(GetDlgItem(question, IDNO), nullptr);
  EXPECT_EQ(testing_support::StyleOf(yes) & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
  ASSERT_TRUE(program.AnswerMessageBox(question, IDYES));

  HWND done = program.WaitForMessageBox();
  ASSERT_NE(done, nullptr);
  ASSERT_EQ(MessageBoxText(done), "修改完毕!");
  EXPECT_EQ(RemoteText(done), "提示");
  EXPECT_EQ(GetWindow(done, GW_OWNER), main);
  ASSERT_NE(GetDlgItem(done, IDOK), nullptr);
  ASSERT_TRUE(program.AnswerMessageBox(done, IDOK));

  // On disk: the time the user stepped, to the second; the untouched ones exactly as they
  // were, sub-seconds included; and the ticked flags.
  const testing_support::PathState after = testing_support::ReadPathState(path);
  EXPECT_EQ(after.modification, UtcTicks(*modification));
  EXPECT_EQ(after.access, testing_support::Ticks(testing_support::KnownAccess()));
  if (testing_support::KeepsCreationTime(folder)) {
    EXPECT_EQ(after.creation, testing_support::Ticks(testing_support::KnownCreation()));
  }
  EXPECT_EQ(after.attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));

  // Closing the main window ends the program with exit code 0.
  PostMessageA(main, WM_CLOSE, 0, 0);
  const std::optional<DWORD> exitCode = program.WaitForExit(15000);
  ASSERT_TRUE(exitCode.has_value()) << "still running after the main window was closed";
  EXPECT_EQ(*exitCode, 0u);
}

TEST(FileStampProgram, RelativePathOnTheCommandLineIsLookedUpInTheProgramsFolder) {
  TempFolder folder;
  const std::string name = "end-to-end relative " + std::to_string(GetCurrentProcessId()) + ".txt";
  // Same name in the caller's current folder, with another size: it must not be the one shown.
  folder.MakeFile(name, "abc");
  const std::string besideProgram = core::ProgramFolder() + "\\" + name;
  struct Remover {
    std::string path;
    ~Remover() { testing_support::RemoveTree(path); }
  } remover{besideProgram};
  HANDLE file = CreateFileA(besideProgram.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, "12345678901", 11, &written, nullptr);
  CloseHandle(file);

  ProgramProcess program({name}, folder.path());
  HWND main = program.WaitForWindow("FileStampMainWindow");
  ASSERT_NE(main, nullptr);
  const MainControls c = FindControls(main);
  ASSERT_TRUE(program.PollWhileRunning([&] { return RemoteText(c.path) == name; })) << RemoteText(c.path);
  const std::string size = RemoteText(c.size);
  EXPECT_NE(size.find("(11 字节)"), std::string::npos) << size;

  PostMessageA(main, WM_CLOSE, 0, 0);
  const std::optional<DWORD> exitCode = program.WaitForExit(15000);
  ASSERT_TRUE(exitCode.has_value());
  EXPECT_EQ(*exitCode, 0u);
}

}  // namespace
