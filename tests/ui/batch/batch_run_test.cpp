// The batch run: its checks, its confirmation, what it writes to each path, its report, and
// how it holds the window while it works.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/event_pump.h"
#include "app/message_boxes.h"
#include "app/paint_throttle.h"
#include "core/file_time_convert.h"
#include "core/local_date_time.h"
#include "core/text_encoding.h"
#include "tests/support/batch_window_driver.h"
#include "tests/support/clipboard_probe.h"
#include "tests/support/file_state.h"
#include "tests/support/hooked_file_api.h"
#include "tests/support/message_recorder.h"
#include "tests/support/recording_file_api.h"
#include "tests/support/scoped_variable.h"
#include "tests/support/temp_folder.h"
#include "ui/batch/batch_design.h"

namespace {

using namespace ui::batch;
using testing_support::BatchWindowDriver;
using testing_support::FromTicks;
using testing_support::HookedFileApi;
using testing_support::MessageRecorder;
using testing_support::ReadPathState;
using testing_support::RecordingFileApi;
using testing_support::TempFolder;
using testing_support::Ticks;
using testing_support::UtcTime;
using Op = RecordingFileApi::Op;

constexpr UINT kInformation = MB_OK | MB_ICONINFORMATION | MB_TASKMODAL;
constexpr UINT kWarning = MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL;
constexpr UINT kQuestionNoDefault = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2 | MB_TASKMODAL;

constexpr char kConfirm[] = "确认执行批量修改吗?";
constexpr char kDone[] = "批量处理完毕!";
// The type text of a drive root's row, trailing blank included.
constexpr char kDiskType[] = "磁盘 ";

// Times the test files start with, and times the pickers are set to; far apart so that a
// written time is never mistaken for a kept one.
const FILETIME kOldCreation = UtcTime(2003, 3, 3, 3, 3, 3);
const FILETIME kOldAccess = UtcTime(2004, 4, 4, 4, 4, 4);
const FILETIME kOldWrite = UtcTime(2005, 5, 5, 5, 5, 5);
const core::LocalDateTime kNewCreation{2011, 1, 11, 11, 11, 11};
const core::LocalDateTime kNewModification{2012, 2, 12, 12, 12, 12};
const core::LocalDateTime kNewAccess{2013, 3, 13, 13, 13, 13};

std::uint64_t UtcTicks(const core::LocalDateTime& local) { return Ticks(*core::LocalToFileTime(local)); }

std::string Totals(int succeeded, int failed) {
  return "已成功处理 " + std::to_string(succeeded) + " 个文件(夹) ; 处理失败 " + std::to_string(failed) + " 个!";
}

class BatchRunTest : public ::testing::Test {
 protected:
  // A file with the old times and no flags but what the platform always reports.
  std::string MakeFile(const std::string& name) {
    const std::string path = folder_.MakeFile(name);
    testing_support::SetPathTimes(path, &kOldCreation, &kOldAccess, &kOldWrite);
    return path;
  }

  void SetPickers() {
    app::DtpSetTime(driver_.control(日期框_创建时间), kNewCreation);
    app::DtpSetTime(driver_.control(日期框_修改时间), kNewModification);
    app::DtpSetTime(driver_.control(日期框_访问时间), kNewAccess);
  }

  void SwitchAllTimesOff() {
    driver_.PressLabel(标签_创建时间);
    driver_.PressLabel(标签_修改时间);
    driver_.PressLabel(标签_访问时间);
  }

  // Whether this platform keeps a creation time that differs from the modification time.
  bool PlatformKeepsCreationTime() {
    const std::string probe = folder_.MakeFile("creation-probe");
    testing_support::SetPathTimes(probe, &kOldCreation, &kOldAccess, &kOldWrite);
    return ReadPathState(probe).creation == Ticks(kOldCreation);
  }

  TempFolder folder_;
  BatchWindowDriver driver_;
};

TEST_F(BatchRunTest, EmptyListOnlyAsksForFiles) {
  MessageRecorder messages({IDYES});
  const std::string statusBefore = driver_.StatusText();

  driver_.window().RunBatch();

  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].text, "请先添加文件!");
  EXPECT_EQ(messages.shown()[0].title, "提示");
  EXPECT_EQ(messages.shown()[0].flags, kInformation);
  EXPECT_EQ(messages.shown()[0].owner, driver_.hwnd());
  EXPECT_EQ(driver_.StatusText(), statusBefore);
  EXPECT_FALSE(driver_.window().IsBusy());
}

TEST_F(BatchRunTest, NothingToSetShowsItsMessageAndChangesNothing) {
  const std::string file = MakeFile("a.txt");
  driver_.window().AddPaths({file});
  SwitchAllTimesOff();
  const auto before = ReadPathState(file);
  const std::string statusBefore = driver_.StatusText();
  MessageRecorder messages({IDYES});

  driver_.window().RunBatch();

  EXPECT_EQ(messages.texts(), std::vector<std::string>{"请指定需设置的文件属性!"});
  EXPECT_EQ(messages.shown()[0].title, "提示");
  EXPECT_EQ(messages.shown()[0].flags, kInformation);
  EXPECT_EQ(driver_.StatusText(), statusBefore);
  EXPECT_EQ(driver_.Cell(0, kColumnStatus), " -");
  EXPECT_EQ(ReadPathState(file), before);
}

TEST_F(BatchRunTest, OneTickedBoxIsEnoughWithEveryPickerOff) {
  driver_.window().AddPaths({MakeFile("a.txt")});
  SwitchAllTimesOff();
  driver_.Tick(选择框_只读);
  MessageRecorder messages;  // answers No

  driver_.window().RunBatch();

  EXPECT_EQ(messages.texts(), std::vector<std::string>{kConfirm});
}

TEST_F(BatchRunTest, ConfirmationIsAQuestionWithNoAsDefault) {
  driver_.window().AddPaths({MakeFile("a.txt")});
  MessageRecorder messages;

  driver_.window().RunBatch();

  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].text, kConfirm);
  EXPECT_EQ(messages.shown()[0].title, "询问");
  EXPECT_EQ(messages.shown()[0].flags, kQuestionNoDefault);
  EXPECT_EQ(messages.shown()[0].owner, driver_.hwnd());
}

TEST_F(BatchRunTest, AnsweringNoChangesNothing) {
  const std::string file = MakeFile("a.txt");
  driver_.window().AddPaths({file});
  SetPickers();
  driver_.Tick(选择框_隐藏);
  const auto before = ReadPathState(file);
  const std::string statusBefore = driver_.StatusText();
  RecordingFileApi api;
  MessageRecorder messages({IDNO});

  driver_.window().RunBatch();

  EXPECT_EQ(messages.texts(), std::vector<std::string>{kConfirm});
  EXPECT_EQ(driver_.Cell(0, kColumnStatus), " -");
  EXPECT_EQ(driver_.StatusText(), statusBefore);
  EXPECT_TRUE(api.calls().empty());
  EXPECT_EQ(ReadPathState(file), before);
}

TEST_F(BatchRunTest, RunWritesEveryRowAndReportsTheTotals) {
  const std::string a = MakeFile("a.txt");
  const std::string b = MakeFile("b.txt");
  driver_.window().AddPaths({a, b});
  SetPickers();
  MessageRecorder messages({IDYES});

  driver_.window().RunBatch();

  EXPECT_EQ(messages.texts(), (std::vector<std::string>{kConfirm, kDone}));
  EXPECT_EQ(messages.shown()[1].title, "提示");
  EXPECT_EQ(messages.shown()[1].flags, kInformation);
  EXPECT_EQ(driver_.Column(kColumnStatus), (std::vector<std::string>{"成功", "成功"}));
  EXPECT_EQ(driver_.StatusText(), Totals(2, 0));
  for (const std::string& path : {a, b}) {
    const auto state = ReadPathState(path);
    EXPECT_EQ(state.modification, UtcTicks(kNewModification)) << path;
    EXPECT_EQ(state.access, UtcTicks(kNewAccess)) << path;
  }
  EXPECT_FALSE(driver_.window().IsBusy());
}

TEST_F(BatchRunTest, ButtonClickStartsTheRun) {
  const std::string a = MakeFile("a.txt");
  driver_.window().AddPaths({a});
  MessageRecorder messages({IDYES});

  SendMessageA(driver_.control(按钮_批量修改), BM_CLICK, 0, 0);

  EXPECT_EQ(messages.texts(), (std::vector<std::string>{kConfirm, kDone}));
  EXPECT_EQ(driver_.Cell(0, kColumnStatus), "成功");
}

TEST_F(BatchRunTest, FlagsOnlyWithEveryPickerOffKeepsEveryTime) {
  const std::string file = MakeFile("a.txt");
  driver_.window().AddPaths({file});
  SwitchAllTimesOff();
  driver_.Tick(选择框_隐藏);
  const auto before = ReadPathState(file);
  MessageRecorder messages({IDYES});

  driver_.window().RunBatch();

  const auto after = ReadPathState(file);
  EXPECT_EQ(after.creation, before.creation);
  EXPECT_EQ(after.access, before.access);
  EXPECT_EQ(after.modification, before.modification);
  EXPECT_EQ(after.attributes & FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(driver_.Cell(0, kColumnStatus), "成功");
}

TEST_F(BatchRunTest, OnlyArchiveTickedSetsArchiveAndClearsTheOtherFlags) {
  const std::string plain = MakeFile("plain.txt");
  const std::string flagged = MakeFile("flagged.txt");
  testing_support::SetPathAttributes(flagged, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  driver_.window().AddPaths({plain, flagged});
  driver_.Tick(选择框_存档);
  RecordingFileApi api;
  MessageRecorder messages({IDYES});

  driver_.window().RunBatch();

  // What is asked of the platform: the archive flag alone for the path whose flags differ; the
  // word of the one that holds it already is left alone (0).
  const auto writes = api.CallsOf(Op::SetBasicInfo);
  ASSERT_EQ(writes.size(), 2u);
  for (const auto& call : writes)
    EXPECT_EQ(call.attributes, call.path == testing_support::PlatformForm(flagged) ? DWORD{FILE_ATTRIBUTE_ARCHIVE} : 0u)
        << call.path;
  // What the platform holds afterwards.
  for (const std::string& path : {plain, flagged}) {
    const DWORD flags = ReadPathState(path).attributes & 0x27;
    EXPECT_EQ(flags, static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE)) << path;
  }
}

TEST_F(BatchRunTest, NoBoxTickedKeepsTheFlagsAndOnlyTheEnabledTimeChanges) {
  const std::string file = MakeFile("a.txt");
  testing_support::SetPathAttributes(file, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  driver_.window().AddPaths({file});
  SetPickers();
  driver_.PressLabel(标签_创建时间);
  driver_.PressLabel(标签_访问时间);
  const auto before = ReadPathState(file);
  RecordingFileApi api;
  MessageRecorder messages({IDYES});

  driver_.window().RunBatch();

  const auto after = ReadPathState(file);
  EXPECT_EQ(after.attributes, before.attributes);
  EXPECT_EQ(after.modification, UtcTicks(kNewModification));
  EXPECT_EQ(after.access, before.access);
  ASSERT_EQ(api.CallsOf(Op::SetBasicInfo).size(), 1u);
  EXPECT_EQ(api.CallsOf(Op::SetBasicInfo)[0].attributes, 0u);  // the word is left alone
}

TEST_F(BatchRunTest, CreationPickerOffLeavesTheCreationAndWritesTheOthers) {
  const bool keepsCreation = PlatformKeepsCreationTime();
  const std::string file = MakeFile("a.txt");
  driver_.window().AddPaths({file});
  SetPickers();
  driver_.PressLabel(标签_创建时间);
  const auto before = ReadPathState(file);
  RecordingFileApi api;
  MessageRecorder messages({IDYES});

  driver_.window().RunBatch();

  const auto setTimes = api.CallsOf(Op::SetBasicInfo);
  ASSERT_EQ(setTimes.size(), 1u);
  EXPECT_FALSE(setTimes[0].creation.has_value());  // zero: the platform leaves it exactly
  ASSERT_TRUE(setTimes[0].lastAccess && setTimes[0].lastWrite);
  EXPECT_EQ(Ticks(*setTimes[0].lastWrite), UtcTicks(kNewModification));
  EXPECT_EQ(Ticks(*setTimes[0].lastAccess), UtcTicks(kNewAccess));
  const auto after = ReadPathState(file);
  EXPECT_EQ(after.modification, UtcTicks(kNewModification));
  EXPECT_EQ(after.access, UtcTicks(kNewAccess));
  if (keepsCreation) {
    EXPECT_EQ(after.creation, before.creation);
  }
}

// Through the seam only: a regression here must not stamp the machine's real drive roots.
TEST_F(BatchRunTest, DriveRootRowsAreSkipped) {
  driver_.AppendRow("C:\\", RowKind::kDriveRoot);
  driver_.AppendRow("D:\\", RowKind::kDriveRoot);
  driver_.Tick(选择框_隐藏);
  RecordingFileApi api;
  api.RefuseEverything();
  MessageRecorder messages({IDYES});

  driver_.window().RunBatch();

  EXPECT_EQ(messages.texts(), (std::vector<std::string>{kConfirm, kDone}));
  EXPECT_TRUE(api.calls().empty());
  EXPECT_EQ(driver_.Column(kColumnStatus), (std::vector<std::string>{" -", " -"}));
  EXPECT_EQ(driver_.StatusText(), Totals(0, 0));
}

TEST_F(BatchRunTest, OnlyDriveRootRowsAreSkipped) {
  const std::string file = MakeFile("a.txt");
  driver_.AppendRow("C:\\", RowKind::kDriveRoot);
  driver_.window().AddPaths({file});
  driver_.AppendRow(folder_.path(), RowKind::kFolder);
  EXPECT_EQ(driver_.Cell(0, kColumnType), kDiskType);
  RecordingFileApi api;
  api.RefusePath(testing_support::PlatformForm("C:\\"));  // never the real drive, whatever happens
  MessageRecorder messages({IDYES});

  driver_.window().RunBatch();

  for (const auto& call : api.calls()) EXPECT_NE(call.path, testing_support::PlatformForm("C:\\"));
  EXPECT_EQ(driver_.Column(kColumnStatus), (std::vector<std::string>{" -", "成功", "成功"}));
  EXPECT_EQ(driver_.StatusText(), Totals(2, 0));
}

TEST_F(BatchRunTest, DeletedPathFailsIsListedAndTheOthersAreProcessed) {
  const std::string a = MakeFile("a.txt");
  const std::string b = MakeFile("b.txt");
  const std::string c = MakeFile("c.txt");
  driver_.window().AddPaths({a, b, c});
  DeleteFileA(b.c_str());
  MessageRecorder messages({IDYES});

  driver_.window().RunBatch();

  EXPECT_EQ(driver_.Column(kColumnStatus), (std::vector<std::string>{"成功", "失败", "成功"}));
  EXPECT_EQ(driver_.StatusText(), Totals(2, 1));
  ASSERT_EQ(messages.texts(), (std::vector<std::string>{kConfirm, b, kDone}));
  EXPECT_EQ(messages.shown()[1].title, "处理失败的文件");
  EXPECT_EQ(messages.shown()[1].flags, kWarning);
  EXPECT_EQ(messages.shown()[1].owner, driver_.hwnd());
  EXPECT_EQ(ReadPathState(c).modification, UtcTicks(app::DtpGetTime(driver_.control(日期框_修改时间))));
}

TEST_F(BatchRunTest, SeveralFailuresAreListedInRowOrderWithoutAnEmptyLastLine) {
  const std::string a = MakeFile("a.txt");
  const std::string b = MakeFile("b.txt");
  const std::string c = MakeFile("c.txt");
  const std::string d = MakeFile("d.txt");
  driver_.window().AddPaths({a, b, c, d});
  driver_.AppendRow("", RowKind::kFile);  // an empty path fails like any other
  DeleteFileA(a.c_str());
  DeleteFileA(c.c_str());
  MessageRecorder messages({IDYES});

  driver_.window().RunBatch();

  EXPECT_EQ(driver_.Column(kColumnStatus), (std::vector<std::string>{"失败", "成功", "失败", "成功", "失败"}));
  EXPECT_EQ(driver_.StatusText(), Totals(2, 3));
  ASSERT_EQ(messages.shown().size(), 3u);
  EXPECT_EQ(messages.shown()[1].text, a + "\r\n" + c + "\r\n");
  EXPECT_EQ(messages.shown()[2].text, kDone);
}

TEST_F(BatchRunTest, LastFailureIsAnEmptyPathAndTheListEndsWithIt) {
  const std::string a = MakeFile("a.txt");
  driver_.window().AddPaths({a});
  DeleteFileA(a.c_str());
  driver_.AppendRow("", RowKind::kFile);
  MessageRecorder messages({IDYES});

  driver_.window().RunBatch();

  ASSERT_EQ(messages.shown().size(), 3u);
  EXPECT_EQ(messages.shown()[1].text, a + "\r\n");
}

// A long failure list would make a box taller than the screen, its button out of reach: the
// box lists the first paths and how many more there are, and the whole list, one path per
// line, goes to the clipboard. A list that fits leaves the clipboard alone.
TEST_F(BatchRunTest, LongFailureListIsCutInTheBoxAndWholeOnTheClipboard) {
  for (const std::size_t failures :
       {app::kFailedPathsListed, app::kFailedPathsListed + 1, app::kFailedPathsListed + 15}) {
    SCOPED_TRACE(failures);
    BatchWindowDriver driver;
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < failures; ++i) {
      paths.push_back(folder_.Child("missing-" + std::to_string(i) + ".txt"));
      driver.AppendRow(paths.back(), RowKind::kFile);
    }
    testing_support::SetClipboardText("before the run");
    MessageRecorder messages({IDYES});

    driver.window().RunBatch();

    ASSERT_EQ(messages.shown().size(), 3u);
    std::string listed, all;
    for (std::size_t i = 0; i < failures; ++i) {
      if (i < app::kFailedPathsListed) listed += (i > 0 ? "\r\n" : "") + paths[i];
      all += paths[i] + "\r\n";
    }
    if (failures > app::kFailedPathsListed) {
      EXPECT_EQ(messages.shown()[1].text,
                listed + "\r\n" + app::FailedPathsTail(failures - app::kFailedPathsListed, true));
      EXPECT_EQ(testing_support::ClipboardText(), all);
    } else {
      EXPECT_EQ(messages.shown()[1].text, listed);
      EXPECT_EQ(testing_support::ClipboardText(), "before the run");
    }
  }
}

TEST(FailedPathsTail, CountsTheUnlistedPathsAndTellsWhetherTheListWasCopied) {
  EXPECT_NE(app::FailedPathsTail(7, true).find('7'), std::string::npos);
  EXPECT_NE(app::FailedPathsTail(7, true), app::FailedPathsTail(7, false));
  EXPECT_NE(app::FailedPathsTail(7, true), app::FailedPathsTail(8, true));
}

TEST_F(BatchRunTest, WindowIsBusyAndShowsEachPathWhileTheRunWorks) {
  const std::string a = MakeFile("a.txt");
  const std::string b = MakeFile("b.txt");
  driver_.window().AddPaths({a, b});
  // Only the rows' own opens are watched here, not the history's.
  const testing_support::ScopedVariable noHistory(L"FILESTAMP_NO_HISTORY", "1");
  // The progress text reaches the bar when it paints; here a paint is due at every row.
  ULONGLONG now = 0;
  const app::ScopedPumpClock clock([&] { return now += 10 * 1000; });
  std::vector<std::string> progress;
  std::vector<bool> busy;
  HookedFileApi api([&](const std::string&) {
    progress.push_back(driver_.StatusText());
    busy.push_back(driver_.window().IsBusy() && !IsWindowEnabled(driver_.control(分组框)));
  });
  MessageRecorder messages({IDYES},
                           [&](const testing_support::ShownMessage&) { busy.push_back(driver_.window().IsBusy()); });

  driver_.window().RunBatch();

  EXPECT_EQ(progress, (std::vector<std::string>{"正在处理 => " + a, "正在处理 => " + b}));
  // Not busy while asking, busy for each row, no longer busy for the report.
  EXPECT_EQ(busy, (std::vector<bool>{false, true, true, false}));
  EXPECT_TRUE(IsWindowEnabled(driver_.control(分组框)));
}

TEST_F(BatchRunTest, CloseDuringTheRunIsRefusedAndTheRunCompletes) {
  const std::string a = MakeFile("a.txt");
  const std::string b = MakeFile("b.txt");
  driver_.window().AddPaths({a, b});
  HWND window = driver_.hwnd();
  LRESULT endSession = -1;
  bool asked = false;
  HookedFileApi api([&](const std::string&) {
    if (asked) return;
    asked = true;
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    endSession = SendMessageA(window, WM_QUERYENDSESSION, 0, 0);
  });
  MessageRecorder messages({IDYES});

  driver_.window().RunBatch();

  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(endSession, FALSE);
  ASSERT_EQ(messages.texts(), (std::vector<std::string>{kConfirm, "Please Wait...", "Please Wait...", kDone}));
  EXPECT_EQ(messages.shown()[1].title, "Runing");
  EXPECT_EQ(messages.shown()[1].flags, kWarning);
  EXPECT_EQ(messages.shown()[1].owner, window);
  EXPECT_EQ(driver_.Column(kColumnStatus), (std::vector<std::string>{"成功", "成功"}));
  EXPECT_EQ(driver_.StatusText(), Totals(2, 0));

  // Idle again: a close goes ahead without a question.
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(messages.shown().size(), 4u);
}

TEST_F(BatchRunTest, PathsAddedDuringTheRunWaitAndAreNotProcessed) {
  const std::string a = MakeFile("a.txt");
  const std::string b = MakeFile("b.txt");
  const std::string late = MakeFile("late.txt");
  driver_.window().AddPaths({a, b});
  const auto lateBefore = ReadPathState(late);
  int rowsDuringRun = -1;
  HookedFileApi api([&](const std::string& path) {
    if (path != testing_support::PlatformForm(a)) return;
    driver_.window().AddPaths({late});
    rowsDuringRun = driver_.RowCount();
  });
  MessageRecorder messages({IDYES});

  driver_.window().RunBatch();

  EXPECT_EQ(rowsDuringRun, 2);
  EXPECT_EQ(api.CallsOf(Op::SetBasicInfo).size(), 2u);
  ASSERT_EQ(driver_.RowCount(), 3);
  EXPECT_EQ(driver_.Column(kColumnPath), (std::vector<std::string>{a, b, late}));
  EXPECT_EQ(driver_.Column(kColumnStatus), (std::vector<std::string>{"成功", "成功", " -"}));
  EXPECT_EQ(ReadPathState(late), lateBefore);
  EXPECT_EQ(messages.texts(), (std::vector<std::string>{kConfirm, kDone}));
  EXPECT_FALSE(driver_.window().IsBusy());
}

TEST_F(BatchRunTest, SecondRunReprocessesEveryRow) {
  const std::string a = MakeFile("a.txt");
  const std::string b = MakeFile("b.txt");
  driver_.window().AddPaths({a, b});
  MessageRecorder messages({IDYES, IDYES});
  driver_.window().RunBatch();
  DeleteFileA(b.c_str());
  RecordingFileApi api;

  driver_.window().RunBatch();

  // Only the row still there is opened (it already holds the times, so nothing is written).
  EXPECT_EQ(api.CallsOf(Op::OpenFile).size(), 1u);
  std::vector<std::string> applied;
  for (const auto& call : api.CallsOf(Op::QueryAttributes)) applied.push_back(call.path);
  EXPECT_EQ(applied, (std::vector<std::string>{testing_support::PlatformForm(a), testing_support::PlatformForm(b)}));
  EXPECT_EQ(driver_.Column(kColumnStatus), (std::vector<std::string>{"成功", "失败"}));
  EXPECT_EQ(driver_.StatusText(), Totals(1, 1));
}

TEST_F(BatchRunTest, FolderRowsAreProcessedToo) {
  const std::string sub = folder_.MakeFolder("sub");
  const std::string inner = folder_.MakeFile("sub\\inner.txt");
  driver_.window().AddPaths({sub});
  driver_.Tick(选择框_隐藏);
  SetPickers();
  MessageRecorder messages({IDYES});

  driver_.window().RunBatch();

  EXPECT_EQ(driver_.Column(kColumnStatus), (std::vector<std::string>{"成功", "成功"}));
  EXPECT_EQ(ReadPathState(sub).modification, UtcTicks(kNewModification));
  EXPECT_EQ(ReadPathState(inner).modification, UtcTicks(kNewModification));
  EXPECT_TRUE(ReadPathState(sub).attributes & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(ReadPathState(inner).attributes & FILE_ATTRIBUTE_HIDDEN);
}

}  // namespace

namespace {

// Any path the file system holds: a folder at the end of a chain past 260 characters, and in
// it names that Win32's rules would rewrite, are listed as they are and every row stamped.
TEST_F(BatchRunTest, LongPathsAndNamesWin32WouldRewriteAreListedAndStamped) {
  std::string chain;
  while (folder_.path().size() + chain.size() < 300) {
    chain += (chain.empty() ? "" : "\\") + std::string(60, 'c');
    folder_.MakeFolder(chain);
  }
  const std::string deep = folder_.Child(chain);
  std::vector<std::string> files;
  for (const char* name : {"CON", "nul.txt", "ends in dot.", "plain.txt"})
    files.push_back(MakeFile(chain + "\\" + name));
  driver_.window().AddPaths({deep});
  SetPickers();
  MessageRecorder messages({IDYES});

  driver_.window().RunBatch();

  std::vector<std::string> listed = driver_.Column(kColumnPath);
  ASSERT_EQ(listed.size(), files.size() + 1);
  EXPECT_EQ(listed[0], deep);
  std::sort(listed.begin() + 1, listed.end());
  std::sort(files.begin(), files.end());
  EXPECT_TRUE(std::equal(files.begin(), files.end(), listed.begin() + 1));
  EXPECT_EQ(driver_.Column(kColumnStatus), std::vector<std::string>(files.size() + 1, "成功"));
  for (const std::string& file : files) EXPECT_EQ(ReadPathState(file).modification, UtcTicks(kNewModification)) << file;
  EXPECT_EQ(ReadPathState(deep).modification, UtcTicks(kNewModification));
}

// Adds one entry to the listing of a folder, after the real ones: a name of 200 Chinese
// characters, which NTFS allows (600 bytes of UTF-8) but this file system cannot hold.
class ListingWithLongName : public RecordingFileApi {
 public:
  explicit ListingWithLongName(std::wstring name) : name_(std::move(name)) {}
  BOOL FindNext(HANDLE search, WIN32_FIND_DATAW* data) override {
    if (RecordingFileApi::FindNext(search, data)) return TRUE;
    if (added_) return FALSE;
    added_ = true;
    *data = {};
    data->dwFileAttributes = FILE_ATTRIBUTE_ARCHIVE;
    name_.copy(data->cFileName, name_.size());
    return TRUE;
  }

 private:
  std::wstring name_;
  bool added_ = false;
};

TEST_F(BatchRunTest, ListedNameOfTwoHundredChineseCharactersReachesTheRowAndTheStampWhole) {
  const std::string sub = folder_.MakeFolder("sub");
  MakeFile("sub\\real.txt");
  const std::wstring wideName(200, L'长');
  const std::string name = core::WideToUtf8(wideName);
  ASSERT_EQ(name.size(), 600u);
  {
    ListingWithLongName api(wideName);
    driver_.window().AddPaths({sub});
  }
  ASSERT_EQ(driver_.RowCount(), 3);
  EXPECT_EQ(driver_.Cell(2, kColumnName), name);
  EXPECT_EQ(driver_.Cell(2, kColumnPath), sub + "\\" + name);
  SetPickers();
  RecordingFileApi api;
  MessageRecorder messages({IDYES});

  driver_.window().RunBatch();

  const auto queried = api.CallsOf(Op::QueryAttributes);
  ASSERT_EQ(queried.size(), 3u);
  EXPECT_EQ(queried[2].path, testing_support::PlatformForm(sub + "\\" + name));
  EXPECT_EQ(driver_.Cell(2, kColumnStatus), "失败");  // the file itself exists only in the listing
}

}  // namespace
