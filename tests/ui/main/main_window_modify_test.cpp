// 按钮_修改: the existence check, the confirmation and the write of the edited stamp.
#include <gtest/gtest.h>
#include <windows.h>
// commctrl.h needs windows.h before it.
#include <commctrl.h>

#include <optional>

#include "app/controls.h"
#include "core/file_stamp.h"
#include "core/file_time_convert.h"
#include "tests/support/file_state.h"
#include "tests/support/held_file.h"
#include "tests/support/immutable_file.h"
#include "tests/support/main_window_harness.h"
#include "tests/support/message_recorder.h"
#include "tests/support/recording_file_api.h"
#include "tests/support/window_probe.h"
#include "ui/main/main_design.h"

namespace {

using namespace ui::main;
using testing_support::KeepsCreationTime;
using testing_support::MainWindowHarness;
using testing_support::MakeStampedFile;
using testing_support::MessageRecorder;
using testing_support::PathState;
using testing_support::Quoted;
using testing_support::ReadPathState;
using testing_support::RecordingFileApi;
using testing_support::ShownMessage;
using testing_support::TempFolder;

constexpr UINT kTaskModal = MB_TASKMODAL;
constexpr DWORD kFlagBits = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

constexpr core::LocalDateTime kNewCreation{2001, 2, 3, 4, 5, 6};
constexpr core::LocalDateTime kNewModification{2002, 3, 4, 5, 6, 7};
constexpr core::LocalDateTime kNewAccess{2003, 4, 5, 6, 7, 8};

std::uint64_t UtcTicks(const core::LocalDateTime& local) {
  return testing_support::Ticks(core::LocalToFileTime(local).value());
}

class MainWindowModifyTest : public ::testing::Test {
 protected:
  // Shows the file named on the command line.
  void Open(const std::string& path) {
    ui_.emplace(Quoted(path));
    ui_->ShowAndSettle();
    ASSERT_EQ(app::GetText((*ui_)[编辑框_文件路径]), path);
  }
  void SetPickers(core::LocalDateTime creation, core::LocalDateTime modification, core::LocalDateTime access) {
    app::DtpSetTime((*ui_)[日期框_创建时间], creation);
    app::DtpSetTime((*ui_)[日期框_修改时间], modification);
    app::DtpSetTime((*ui_)[日期框_访问时间], access);
  }
  void SetBox(int id, bool ticked) {
    if (app::IsChecked((*ui_)[id]) != ticked) ui_->Click(id);  // a click toggles the automatic box
    ASSERT_EQ(app::IsChecked((*ui_)[id]), ticked) << id;
  }
  void ExpectMessage(const ShownMessage& shown, const char* text, const char* title, UINT flags) {
    EXPECT_EQ(shown.text, text);
    EXPECT_EQ(shown.title, title);
    EXPECT_EQ(shown.flags, flags | kTaskModal) << std::hex << shown.flags;
    EXPECT_EQ(shown.owner, ui_->hwnd());
  }
  void ExpectPathSelectedAndFocused() {
    HWND pathBox = (*ui_)[编辑框_文件路径];
    DWORD start = 99, end = 99;
    SendMessageA(pathBox, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, static_cast<DWORD>(GetWindowTextLengthA(pathBox)));
    EXPECT_EQ(GetFocus(), pathBox);
  }

  TempFolder folder_;
  std::optional<MainWindowHarness> ui_;
};

// Existence check ----------------------------------------------------------------------------

TEST_F(MainWindowModifyTest, MissingPathFromTheCommandLineShowsFileMissingAndSelectsThePath) {
  const std::string missing = folder_.Child("missing file.txt");
  ui_.emplace(Quoted(missing));
  ui_->ShowAndSettle();
  MessageRecorder recorder({IDYES});

  ui_->Click(按钮_修改);

  ASSERT_EQ(recorder.shown().size(), 1u) << "no question after the error";
  ExpectMessage(recorder.shown()[0], "文件不存在!", "错误", MB_OK | MB_ICONHAND);
  ExpectPathSelectedAndFocused();
  EXPECT_EQ(GetFileAttributesA(missing.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(MainWindowModifyTest, FileDeletedAfterItWasShownShowsFileMissingAndWritesNothing) {
  const std::string path = MakeStampedFile(folder_, "vanishing.txt", "abc");
  Open(path);
  ASSERT_TRUE(DeleteFileA(path.c_str()));
  MessageRecorder recorder({IDYES});

  ui_->Click(按钮_修改);

  ASSERT_EQ(recorder.shown().size(), 1u);
  ExpectMessage(recorder.shown()[0], "文件不存在!", "错误", MB_OK | MB_ICONHAND);
  ExpectPathSelectedAndFocused();
  EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing was created";
}

// Confirmation -------------------------------------------------------------------------------

TEST_F(MainWindowModifyTest, AsksForConfirmationWithYesAsDefault) {
  const std::string path = MakeStampedFile(folder_, "ask.txt", "abc");
  Open(path);
  MessageRecorder recorder({IDNO});

  ui_->Click(按钮_修改);

  ASSERT_EQ(recorder.shown().size(), 1u);
  ExpectMessage(recorder.shown()[0], "确认修改文件时间及属性?", "询问", MB_YESNO | MB_ICONQUESTION);
}

TEST_F(MainWindowModifyTest, AnsweringNoWritesNothing) {
  const std::string path = MakeStampedFile(folder_, "no.txt", "abc", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  Open(path);
  const PathState before = ReadPathState(path);
  SetPickers(kNewCreation, kNewModification, kNewAccess);
  SetBox(选择框_隐藏, false);
  SetBox(选择框_系统, true);
  MessageRecorder recorder({IDNO});

  ui_->Click(按钮_修改);

  EXPECT_EQ(recorder.texts(), std::vector<std::string>{"确认修改文件时间及属性?"});
  EXPECT_EQ(ReadPathState(path), before);
}

TEST_F(MainWindowModifyTest, AnsweringYesWritesThePickerTimesAndTheTickedFlags) {
  const std::string path = MakeStampedFile(folder_, "yes.txt", "abc", FILE_ATTRIBUTE_ARCHIVE);
  Open(path);
  SetPickers(kNewCreation, kNewModification, kNewAccess);
  SetBox(选择框_隐藏, true);
  SetBox(选择框_系统, true);
  RecordingFileApi api;
  MessageRecorder recorder({IDYES});

  ui_->Click(按钮_修改);

  ASSERT_EQ(recorder.shown().size(), 2u);
  ExpectMessage(recorder.shown()[0], "确认修改文件时间及属性?", "询问", MB_YESNO | MB_ICONQUESTION);
  ExpectMessage(recorder.shown()[1], "修改完毕!", "提示", MB_OK | MB_ICONINFORMATION);
  const PathState after = ReadPathState(path);
  EXPECT_EQ(after.modification, UtcTicks(kNewModification));
  EXPECT_EQ(after.access, UtcTicks(kNewAccess));
  if (KeepsCreationTime(folder_)) {
    EXPECT_EQ(after.creation, UtcTicks(kNewCreation));
  }
  EXPECT_EQ(after.attributes & kFlagBits, static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));

  // What was asked of the platform, creation included, times and flags in one write.
  const auto writes = api.CallsOf(RecordingFileApi::Op::SetBasicInfo);
  ASSERT_EQ(writes.size(), 1u);
  ASSERT_TRUE(writes[0].creation.has_value());
  EXPECT_EQ(testing_support::Ticks(*writes[0].creation), UtcTicks(kNewCreation));
  EXPECT_EQ(writes[0].attributes,
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE));
}

TEST_F(MainWindowModifyTest, ControlsKeepTheAppliedValuesAfterTheWrite) {
  const std::string path = MakeStampedFile(folder_, "kept.txt", "abc");
  Open(path);
  SetPickers(kNewCreation, kNewModification, kNewAccess);
  SetBox(选择框_系统, true);
  MessageRecorder recorder({IDYES});

  ui_->Click(按钮_修改);

  EXPECT_EQ(app::DtpGetTime((*ui_)[日期框_创建时间]), kNewCreation) << "not refreshed from the file";
  EXPECT_EQ(app::DtpGetTime((*ui_)[日期框_修改时间]), kNewModification);
  EXPECT_EQ(app::DtpGetTime((*ui_)[日期框_访问时间]), kNewAccess);
  EXPECT_TRUE(app::IsChecked((*ui_)[选择框_系统]));
}

// Times nobody touched are not written: they keep their sub-second parts, and a newer time
// another program wrote after the file was shown is not put back to the shown one.
TEST_F(MainWindowModifyTest, ChangingOnlyABoxLeavesEveryTimeExactlyAsItIs) {
  const std::string path = MakeStampedFile(folder_, "box only.txt", "abc");
  const FILETIME laterWrite = testing_support::UtcTime(2030, 1, 2, 3, 4, 5);
  for (const bool rewrittenElsewhere : {false, true}) {
    SCOPED_TRACE(rewrittenElsewhere ? "re-stamped after it was shown" : "as shown");
    Open(path);
    if (rewrittenElsewhere) testing_support::SetPathTimes(path, nullptr, nullptr, &laterWrite);
    const PathState before = ReadPathState(path);
    SetBox(选择框_隐藏, !app::IsChecked((*ui_)[选择框_隐藏]));
    MessageRecorder recorder({IDYES});

    ui_->Click(按钮_修改);

    EXPECT_EQ(recorder.texts(), (std::vector<std::string>{"确认修改文件时间及属性?", "修改完毕!"}));
    const PathState after = ReadPathState(path);
    EXPECT_EQ(after.creation, before.creation);
    EXPECT_EQ(after.modification, before.modification);
    EXPECT_EQ(after.access, before.access);
    EXPECT_NE(after.attributes & FILE_ATTRIBUTE_HIDDEN, before.attributes & FILE_ATTRIBUTE_HIDDEN);
  }
  EXPECT_EQ(ReadPathState(path).modification, testing_support::Ticks(laterWrite));
}

TEST_F(MainWindowModifyTest, OnlyThePickerGivenANewValueIsWritten) {
  const std::string path = MakeStampedFile(folder_, "one picker.txt", "abc");
  Open(path);
  const PathState before = ReadPathState(path);
  app::DtpSetTime((*ui_)[日期框_修改时间], kNewModification);
  RecordingFileApi api;
  MessageRecorder recorder({IDYES});

  ui_->Click(按钮_修改);

  const auto writes = api.CallsOf(RecordingFileApi::Op::SetBasicInfo);
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_FALSE(writes[0].creation || writes[0].lastAccess);
  const PathState after = ReadPathState(path);
  EXPECT_EQ(after.modification, UtcTicks(kNewModification));
  EXPECT_EQ(after.access, before.access);
}

// Flags --------------------------------------------------------------------------------------

TEST_F(MainWindowModifyTest, AllBoxesUntickedClearsAllFlags) {
  const std::string path =
      MakeStampedFile(folder_, "clear.txt", "abc",
                      FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
  Open(path);
  for (int id : {选择框_只读, 选择框_存档, 选择框_隐藏, 选择框_系统}) SetBox(id, false);
  RecordingFileApi api;
  MessageRecorder recorder({IDYES});

  ui_->Click(按钮_修改);

  EXPECT_EQ(recorder.texts(), (std::vector<std::string>{"确认修改文件时间及属性?", "修改完毕!"}));
  // The platform reports archive on every file here, so only the other three are read back;
  // the word handed over says that archive was cleared too ("no flags" is written as NORMAL).
  EXPECT_EQ(ReadPathState(path).attributes & kFlagBits, 0u);
  const auto writes = api.CallsOf(RecordingFileApi::Op::SetBasicInfo);
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(writes[0].attributes, DWORD{FILE_ATTRIBUTE_NORMAL});
}

TEST_F(MainWindowModifyTest, ReadOnlyFileIsChangedAndStaysReadOnlyWhenItsBoxStaysTicked) {
  const std::string path = MakeStampedFile(folder_, "read only.txt", "abc", FILE_ATTRIBUTE_READONLY);
  Open(path);
  ASSERT_TRUE(app::IsChecked((*ui_)[选择框_只读]));
  app::DtpSetTime((*ui_)[日期框_修改时间], kNewModification);
  MessageRecorder recorder({IDYES});

  ui_->Click(按钮_修改);

  EXPECT_EQ(recorder.texts(), (std::vector<std::string>{"确认修改文件时间及属性?", "修改完毕!"}));
  const PathState after = ReadPathState(path);
  EXPECT_EQ(after.modification, UtcTicks(kNewModification));
  EXPECT_TRUE(after.attributes & FILE_ATTRIBUTE_READONLY);
}

// Failure ------------------------------------------------------------------------------------

TEST_F(MainWindowModifyTest, FailedTimeOrFlagWriteShowsModifyFailedAndLeavesTheFile) {
  const std::string path =
      MakeStampedFile(folder_, "refused.txt", "abc", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  Open(path);
  const PathState before = ReadPathState(path);
  SetPickers(kNewCreation, kNewModification, kNewAccess);
  SetBox(选择框_系统, true);
  for (const auto failing : {RecordingFileApi::Op::QueryBasicInfo, RecordingFileApi::Op::SetBasicInfo}) {
    SCOPED_TRACE(testing_support::OpName(failing));
    RecordingFileApi api;
    api.Fail(failing);
    MessageRecorder recorder({IDYES});

    ui_->Click(按钮_修改);

    ASSERT_EQ(recorder.shown().size(), 2u);
    ExpectMessage(recorder.shown()[1], "修改失败!", "警告", MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(ReadPathState(path), before);
  }
}

TEST_F(MainWindowModifyTest, FileThatRefusesEveryChangeShowsModifyFailed) {
  const std::string path = MakeStampedFile(folder_, "locked.txt", "abc");
  Open(path);
  const PathState before = ReadPathState(path);
  SetPickers(kNewCreation, kNewModification, kNewAccess);
  testing_support::ImmutableFile lock(path);
  if (!lock.locked()) GTEST_SKIP() << "needs chattr +i on the Linux side";
  MessageRecorder recorder({IDYES});

  ui_->Click(按钮_修改);

  EXPECT_EQ(recorder.texts(), (std::vector<std::string>{"确认修改文件时间及属性?", "修改失败!"}));
  EXPECT_EQ(ReadPathState(path), before);
}

TEST_F(MainWindowModifyTest, FileHeldOpenElsewhereIsStillChanged) {
  const std::string path = MakeStampedFile(folder_, "held.txt", "abc");
  Open(path);
  SetPickers(kNewCreation, kNewModification, kNewAccess);
  SetBox(选择框_隐藏, true);
  MessageRecorder recorder({IDYES});
  {
    testing_support::HeldFile holder(path);
    ASSERT_TRUE(holder.held());
    ui_->Click(按钮_修改);
  }

  EXPECT_EQ(recorder.texts(), (std::vector<std::string>{"确认修改文件时间及属性?", "修改完毕!"}));
  const PathState after = ReadPathState(path);
  EXPECT_EQ(after.modification, UtcTicks(kNewModification));
  EXPECT_TRUE(after.attributes & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(MainWindowModifyTest, PathLongerThan260CharactersIsShownAndStamped) {
  std::string chain;
  while (folder_.path().size() + chain.size() < 300) {
    chain += (chain.empty() ? "" : "\\") + std::string(60, 'p');
    folder_.MakeFolder(chain);
  }
  const std::string path = MakeStampedFile(folder_, chain + "\\long.txt", std::string(42, 'x'), FILE_ATTRIBUTE_HIDDEN);
  Open(path);
  EXPECT_NE(app::GetText((*ui_)[编辑框_文件大小]).find("(42 字节)"), std::string::npos);
  EXPECT_EQ(app::DtpGetTime((*ui_)[日期框_修改时间]), core::FileTimeToLocal(testing_support::KnownWrite()));
  EXPECT_TRUE(app::IsChecked((*ui_)[选择框_隐藏]));
  SetPickers(kNewCreation, kNewModification, kNewAccess);
  MessageRecorder recorder({IDYES});

  ui_->Click(按钮_修改);

  EXPECT_EQ(recorder.texts(), (std::vector<std::string>{"确认修改文件时间及属性?", "修改完毕!"}));
  EXPECT_EQ(ReadPathState(path).modification, UtcTicks(kNewModification));
}

// A file whose times cannot be read leaves the previous file's values in the pickers; those
// must never be written onto it. A picker the user sets afterwards is the user's value.
TEST_F(MainWindowModifyTest, TimesThatCouldNotBeReadAreKeptUnlessTheUserSetsThem) {
  const std::string first = MakeStampedFile(folder_, "first.txt", "abc");
  const std::string second = folder_.MakeFile("second.txt", "xyz");
  const FILETIME secondAccess = testing_support::UtcTime(2012, 1, 2, 3, 4, 5, 1234567);
  const FILETIME secondWrite = testing_support::UtcTime(2013, 6, 7, 8, 9, 10, 7654321);
  testing_support::SetPathTimes(second, nullptr, &secondAccess, &secondWrite);
  Open(first);
  {
    RecordingFileApi api;
    api.Fail(RecordingFileApi::Op::OpenFile);  // the times of the next file cannot be read
    ui_->window().TakePaths({second});
  }
  ASSERT_EQ(app::GetText((*ui_)[编辑框_文件路径]), second);
  // The user steps the first field (the year) of the access picker up by one.
  HWND accessPicker = (*ui_)[日期框_访问时间];
  SetFocus(accessPicker);
  PostMessageA(accessPicker, WM_KEYDOWN, VK_UP, 0x00480001);
  PostMessageA(accessPicker, WM_KEYUP, VK_UP, 0xC0480001);
  testing_support::PumpPending();
  const core::LocalDateTime chosenAccess = app::DtpGetTime(accessPicker);
  MessageRecorder recorder({IDYES});

  ui_->Click(按钮_修改);

  EXPECT_EQ(recorder.texts(), (std::vector<std::string>{"确认修改文件时间及属性?", "修改完毕!"}));
  const PathState after = ReadPathState(second);
  EXPECT_EQ(after.modification, testing_support::Ticks(secondWrite)) << "the first file's time was written";
  EXPECT_EQ(after.access, UtcTicks(chosenAccess));
}

LRESULT CALLBACK RefuseEverySetTime(HWND picker, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (msg == DTM_SETSYSTEMTIME) return 0;
  return DefSubclassProc(picker, msg, wParam, lParam);
}

// A picker that cannot show this file's time still holds the previous file's; that value must
// not be written onto this file. Once by a time outside the picker's range (the control of
// some builds refuses years before 1752), once by a picker that refuses every set.
TEST_F(MainWindowModifyTest, TimeThePickerRefusedIsKeptNotTakenFromThePreviousFile) {
  const std::string first = MakeStampedFile(folder_, "first.txt", "abc");
  const FILETIME ancientWrite = testing_support::UtcTime(1700, 6, 1, 12, 0, 0, 5);
  for (const bool refuseEverySet : {false, true}) {
    SCOPED_TRACE(refuseEverySet ? "picker refuses every set" : "time before the picker's range");
    const std::string second = folder_.MakeFile(refuseEverySet ? "refused.txt" : "ancient.txt", "xyz");
    if (!refuseEverySet) testing_support::SetPathTimes(second, nullptr, nullptr, &ancientWrite);
    const PathState before = ReadPathState(second);
    Open(first);
    HWND picker = (*ui_)[日期框_修改时间];
    if (refuseEverySet) {
      ASSERT_TRUE(SetWindowSubclass(picker, RefuseEverySetTime, 1, 0));
    }
    ui_->window().TakePaths({second});
    if (refuseEverySet) RemoveWindowSubclass(picker, RefuseEverySetTime, 1);
    SetBox(选择框_系统, true);
    MessageRecorder recorder({IDYES});

    ui_->Click(按钮_修改);

    EXPECT_EQ(recorder.texts(), (std::vector<std::string>{"确认修改文件时间及属性?", "修改完毕!"}));
    const PathState after = ReadPathState(second);
    EXPECT_EQ(after.modification, before.modification) << "the first file's time was written";
    EXPECT_EQ(after.access, before.access);
    EXPECT_TRUE(after.attributes & FILE_ATTRIBUTE_SYSTEM);
  }
}

}  // namespace
