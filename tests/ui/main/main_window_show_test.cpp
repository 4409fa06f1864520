// Showing a file: from the command line and from the open-file dialog.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include "app/controls.h"
#include "core/file_stamp.h"
#include "core/text_encoding.h"
#include "core/file_time_convert.h"
#include "tests/support/batch_link_recorder.h"
#include "tests/support/file_state.h"
#include "tests/support/held_file.h"
#include "tests/support/main_window_harness.h"
#include "tests/support/message_recorder.h"
#include "tests/support/window_probe.h"
#include "ui/main/main_design.h"
#include "ui/main/open_file_dialog.h"

namespace {

using namespace ui::main;
using testing_support::BatchLinkRecorder;
using testing_support::ColorsChosenFor;
using testing_support::MainWindowHarness;
using testing_support::MakeStampedFile;
using testing_support::Quoted;
using testing_support::TempFolder;

constexpr int kCheckBoxes[] = {选择框_只读, 选择框_存档, 选择框_隐藏, 选择框_系统};
constexpr int kEnabledByAFile[] = {按钮_修改,       编辑框_文件大小, 日期框_创建时间, 日期框_修改时间, 日期框_访问时间,
                                   选择框_只读,     选择框_存档,     选择框_隐藏,     选择框_系统};
constexpr int kFieldLabels[] = {标签_文件大小, 标签_创建时间, 标签_修改时间, 标签_访问时间, 标签_文件属性};

constexpr core::LocalDateTime kEarlier{2003, 4, 5, 6, 7, 8};
constexpr core::LocalDateTime kLater{2004, 5, 6, 7, 8, 9};
constexpr core::LocalDateTime kLatest{2005, 6, 7, 8, 9, 10};

core::LocalDateTime Local(const FILETIME& utc) { return core::FileTimeToLocal(utc).value(); }

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class MainWindowShowTest : public ::testing::Test {
 protected:
  // Expects the path box to hold the path, the size box to end with the size text and the
  // pickers to show the file's times.
  void ExpectFileShown(const MainWindowHarness& ui, const std::string& path, const std::string& sizeEnd) {
    EXPECT_EQ(app::GetText(ui[编辑框_文件路径]), path);
    EXPECT_TRUE(EndsWith(app::GetText(ui[编辑框_文件大小]), sizeEnd)) << app::GetText(ui[编辑框_文件大小]);
    ExpectPickersShow(ui, path);
  }
  // Expects the pickers to show the file's times as the core reads them.
  void ExpectPickersShow(const MainWindowHarness& ui, const std::string& path) {
    const auto times = core::ReadFileTimes(path);
    ASSERT_TRUE(times.has_value()) << path;
    EXPECT_EQ(app::DtpGetTime(ui[日期框_创建时间]), times->creation);
    EXPECT_EQ(app::DtpGetTime(ui[日期框_修改时间]), times->modification);
    EXPECT_EQ(app::DtpGetTime(ui[日期框_访问时间]), times->access);
  }
  void SetPickers(const MainWindowHarness& ui, core::LocalDateTime creation, core::LocalDateTime modification,
                  core::LocalDateTime access) {
    app::DtpSetTime(ui[日期框_创建时间], creation);
    app::DtpSetTime(ui[日期框_修改时间], modification);
    app::DtpSetTime(ui[日期框_访问时间], access);
  }
  void ExpectPickers(const MainWindowHarness& ui, core::LocalDateTime creation, core::LocalDateTime modification,
                     core::LocalDateTime access) {
    EXPECT_EQ(app::DtpGetTime(ui[日期框_创建时间]), creation);
    EXPECT_EQ(app::DtpGetTime(ui[日期框_修改时间]), modification);
    EXPECT_EQ(app::DtpGetTime(ui[日期框_访问时间]), access);
  }
  void ExpectEditingEnabled(const MainWindowHarness& ui) {
    for (int id : kEnabledByAFile) EXPECT_TRUE(IsWindowEnabled(ui[id])) << id;
    for (int id : kFieldLabels) EXPECT_EQ(ColorsChosenFor(ui[id]).text, RGB(0, 0, 0)) << id;
    EXPECT_EQ(ColorsChosenFor(ui[编辑框_文件大小]).background, RGB(255, 255, 255));
  }

  TempFolder folder_;
  BatchLinkRecorder batch_;
};

// Command line ------------------------------------------------------------------------------

TEST_F(MainWindowShowTest, OneFileOnTheCommandLineIsShownAtFirstActivation) {
  const std::string path =
      MakeStampedFile(folder_, "shown.txt", std::string(1234, 'x'), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  MainWindowHarness ui(path);
  EXPECT_EQ(app::GetText(ui[编辑框_文件路径]), "") << "taken before the first activation";

  ui.ShowAndSettle();

  ExpectFileShown(ui, path, "(1,234 字节)");
  // Modification and access are not swapped.
  EXPECT_EQ(app::DtpGetTime(ui[日期框_修改时间]), Local(testing_support::KnownWrite()));
  EXPECT_EQ(app::DtpGetTime(ui[日期框_访问时间]), Local(testing_support::KnownAccess()));
  EXPECT_TRUE(app::IsChecked(ui[选择框_隐藏]));
  EXPECT_TRUE(app::IsChecked(ui[选择框_存档]));
  EXPECT_FALSE(app::IsChecked(ui[选择框_只读]));
  EXPECT_FALSE(app::IsChecked(ui[选择框_系统]));
  ExpectEditingEnabled(ui);
  EXPECT_TRUE(batch_.handed().empty());
}

TEST_F(MainWindowShowTest, ReadOnlyAndSystemFlagsTickTheirBoxes) {
  const std::string path = MakeStampedFile(folder_, "flags.txt", "abc", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
  MainWindowHarness ui(path);
  ui.ShowAndSettle();

  EXPECT_TRUE(app::IsChecked(ui[选择框_只读]));
  EXPECT_TRUE(app::IsChecked(ui[选择框_系统]));
  EXPECT_FALSE(app::IsChecked(ui[选择框_隐藏]));
  EXPECT_TRUE(EndsWith(app::GetText(ui[编辑框_文件大小]), "(3 字节)")) << app::GetText(ui[编辑框_文件大小]);
}

TEST_F(MainWindowShowTest, QuotedPathWithBlanksIsOneFile) {
  const std::string path = MakeStampedFile(folder_, "name with  blanks.txt", "12345");
  MainWindowHarness ui(Quoted(path));
  ui.ShowAndSettle();

  ExpectFileShown(ui, path, "(5 字节)");
  EXPECT_TRUE(batch_.handed().empty());
}

TEST_F(MainWindowShowTest, PathWithChineseCharactersIsShown) {
  const std::string path = MakeStampedFile(folder_, "时间属性 测试.txt", "1234567");
  MainWindowHarness ui(Quoted(path));
  ui.ShowAndSettle();

  ExpectFileShown(ui, path, "(7 字节)");
}

TEST_F(MainWindowShowTest, EmptyCommandLineLeavesTheWindowEmpty) {
  MainWindowHarness ui;
  ui.ShowAndSettle();

  EXPECT_EQ(app::GetText(ui[编辑框_文件路径]), "");
  EXPECT_FALSE(IsWindowEnabled(ui[按钮_修改]));
  EXPECT_EQ(batch_.opened(), 0);
}

TEST_F(MainWindowShowTest, MissingPathOnTheCommandLineIsPutInTheBoxAndEnablesTheControls) {
  const std::string missing = folder_.Child("not there.txt");
  MainWindowHarness ui(Quoted(missing));
  SetPickers(ui, kEarlier, kLater, kLatest);

  ui.ShowAndSettle();

  EXPECT_EQ(app::GetText(ui[编辑框_文件路径]), missing);
  EXPECT_EQ(app::GetText(ui[编辑框_文件大小]), "");
  ExpectPickers(ui, kEarlier, kLater, kLatest);
  for (int id : kCheckBoxes) EXPECT_FALSE(app::IsChecked(ui[id])) << id;
  ExpectEditingEnabled(ui);
  EXPECT_TRUE(batch_.handed().empty());
  EXPECT_EQ(batch_.opened(), 0);
}

TEST_F(MainWindowShowTest, CommandLineIsTakenOnlyAtTheFirstActivation) {
  const std::string path = MakeStampedFile(folder_, "once.txt", "x");
  MainWindowHarness ui(path);
  ui.ShowAndSettle();
  SetWindowTextA(ui[编辑框_文件路径], "");

  // Losing and regaining activation does not take the command line again.
  ShowWindow(ui.hwnd(), SW_HIDE);
  testing_support::PumpPending();
  ShowWindow(ui.hwnd(), SW_SHOWNORMAL);
  SetActiveWindow(ui.hwnd());
  testing_support::PumpPending();

  EXPECT_EQ(app::GetText(ui[编辑框_文件路径]), "");
}

// Later files ---------------------------------------------------------------------------------

TEST_F(MainWindowShowTest, MissingFileAfterAShownFileKeepsThePickersAndUnticksTheBoxes) {
  const std::string path = MakeStampedFile(folder_, "first.txt", "abc", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  const std::string missing = folder_.Child("gone.txt");
  MainWindowHarness ui(path);
  ui.ShowAndSettle();
  const core::LocalDateTime creation = app::DtpGetTime(ui[日期框_创建时间]);

  ScopedOpenFileDialog dialog([&](const OPENFILENAMEW&) { return std::optional<std::string>(missing); });
  ui.Click(按钮_浏览);

  EXPECT_EQ(app::GetText(ui[编辑框_文件路径]), missing);
  EXPECT_EQ(app::GetText(ui[编辑框_文件大小]), "");
  ExpectPickers(ui, creation, Local(testing_support::KnownWrite()), Local(testing_support::KnownAccess()));
  for (int id : kCheckBoxes) EXPECT_FALSE(app::IsChecked(ui[id])) << id;
  ExpectEditingEnabled(ui);
}

TEST_F(MainWindowShowTest, FileHeldOpenElsewhereShowsItsOwnSizeTimesAndFlags) {
  const std::string first = MakeStampedFile(folder_, "first.txt", "abc");
  const std::string held = folder_.MakeFile("held.txt", std::string(77, 'h'));
  testing_support::SetPathAttributes(held, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  MainWindowHarness ui(first);
  ui.ShowAndSettle();

  testing_support::HeldFile holder(held);
  ASSERT_TRUE(holder.held());
  ScopedOpenFileDialog dialog([&](const OPENFILENAMEW&) { return std::optional<std::string>(held); });
  ui.Click(按钮_浏览);

  ExpectFileShown(ui, held, "(77 字节)");
  EXPECT_TRUE(app::IsChecked(ui[选择框_隐藏]));
  EXPECT_FALSE(app::IsChecked(ui[选择框_只读]));
  EXPECT_FALSE(app::IsChecked(ui[选择框_系统]));
}

TEST_F(MainWindowShowTest, AfterAFileTabVisitsBrowseThenThePickersThenTheBoxes) {
  const std::string path = MakeStampedFile(folder_, "tab.txt", "abc");
  MainWindowHarness ui(path);
  ui.ShowAndSettle();

  const int order[] = {按钮_浏览,   日期框_创建时间, 日期框_修改时间, 日期框_访问时间,
                       选择框_只读, 选择框_存档,     选择框_隐藏,     选择框_系统};
  for (std::size_t i = 0; i < std::size(order); ++i) {
    const int next = order[(i + 1) % std::size(order)];
    EXPECT_EQ(GetNextDlgTabItem(ui.hwnd(), ui[order[i]], FALSE), ui[next]) << "after " << order[i];
  }
}

TEST_F(MainWindowShowTest, TabKeyMovesTheFocusFromBrowseToTheFirstPicker) {
  const std::string path = MakeStampedFile(folder_, "tabkey.txt", "abc");
  MainWindowHarness ui(path);
  ui.ShowAndSettle();
  SetFocus(ui[按钮_浏览]);

  PostMessageA(ui[按钮_浏览], WM_KEYDOWN, VK_TAB, 0x000F0001);
  testing_support::PumpPending();

  EXPECT_EQ(GetFocus(), ui[日期框_创建时间]);
}

// Open-file dialog ----------------------------------------------------------------------------

TEST_F(MainWindowShowTest, BrowseAsksWithTheDesignedTitleFilterAndOptions) {
  MainWindowHarness ui;
  ui.ShowAndSettle();
  std::optional<OPENFILENAMEW> asked;
  std::string filter, title, initialFile;
  ScopedOpenFileDialog dialog([&](const OPENFILENAMEW& settings) {
    asked = settings;
    title = settings.lpstrTitle ? core::WideToUtf8(settings.lpstrTitle) : "";
    // The filter is pairs of null-terminated texts, ended by an empty one.
    for (const wchar_t* p = settings.lpstrFilter; p && *p; p += std::wcslen(p) + 1)
      filter += core::WideToUtf8(p) + "|";
    initialFile = settings.lpstrFile ? core::WideToUtf8(settings.lpstrFile) : "";
    return std::optional<std::string>();
  });

  ui.Click(按钮_浏览);

  ASSERT_TRUE(asked.has_value());
  EXPECT_EQ(title, "请选择需要修改时间属性的文件...");
  EXPECT_EQ(filter, "所有文件(*.*)|*.*|");
  EXPECT_EQ(asked->nFilterIndex, 1u);
  EXPECT_EQ(asked->Flags,
            static_cast<DWORD>(OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR));
  EXPECT_EQ(asked->hwndOwner, ui.hwnd());
  EXPECT_EQ(initialFile, "");
  EXPECT_EQ(asked->lpstrInitialDir, nullptr);
  EXPECT_EQ(asked->lpstrDefExt, nullptr);
  EXPECT_GE(asked->nMaxFile, 32768u);  // the longest path, so no path is cut or refused
}

TEST_F(MainWindowShowTest, CancelledBrowseChangesNothing) {
  const std::string path = MakeStampedFile(folder_, "kept.txt", "abc", FILE_ATTRIBUTE_HIDDEN);
  MainWindowHarness ui(path);
  ui.ShowAndSettle();
  SetPickers(ui, kEarlier, kLater, kLatest);
  SendMessageA(ui[选择框_系统], BM_SETCHECK, BST_CHECKED, 0);
  const std::string size = app::GetText(ui[编辑框_文件大小]);

  ScopedOpenFileDialog dialog([](const OPENFILENAMEW&) { return std::optional<std::string>(); });
  ui.Click(按钮_浏览);

  EXPECT_EQ(app::GetText(ui[编辑框_文件路径]), path);
  EXPECT_EQ(app::GetText(ui[编辑框_文件大小]), size);
  ExpectPickers(ui, kEarlier, kLater, kLatest);
  EXPECT_TRUE(app::IsChecked(ui[选择框_系统]));
  EXPECT_TRUE(app::IsChecked(ui[选择框_隐藏]));
}

TEST_F(MainWindowShowTest, CancelledBrowseOnAnEmptyWindowLeavesItEmpty) {
  MainWindowHarness ui;
  ui.ShowAndSettle();
  ScopedOpenFileDialog dialog([](const OPENFILENAMEW&) { return std::optional<std::string>(); });
  ui.Click(按钮_浏览);

  EXPECT_EQ(app::GetText(ui[编辑框_文件路径]), "");
  EXPECT_FALSE(IsWindowEnabled(ui[按钮_修改]));
  EXPECT_EQ(ColorsChosenFor(ui[标签_文件大小]).text, RGB(128, 128, 128));
}

TEST_F(MainWindowShowTest, ChosenFileIsShown) {
  const std::string path = MakeStampedFile(folder_, "chosen.txt", std::string(2048, 'c'), FILE_ATTRIBUTE_SYSTEM);
  MainWindowHarness ui;
  ui.ShowAndSettle();

  ScopedOpenFileDialog dialog([&](const OPENFILENAMEW&) { return std::optional<std::string>(path); });
  ui.Click(按钮_浏览);

  ExpectFileShown(ui, path, "(2,048 字节)");
  EXPECT_TRUE(app::IsChecked(ui[选择框_系统]));
  EXPECT_FALSE(app::IsChecked(ui[选择框_隐藏]));
  ExpectEditingEnabled(ui);
}

TEST_F(MainWindowShowTest, FolderChosenInTheDialogIsShownHereNotHandedOver) {
  const std::string folder = folder_.MakeFolder("chosen folder");
  MainWindowHarness ui;
  ui.ShowAndSettle();

  ScopedOpenFileDialog dialog([&](const OPENFILENAMEW&) { return std::optional<std::string>(folder); });
  ui.Click(按钮_浏览);

  EXPECT_EQ(app::GetText(ui[编辑框_文件路径]), folder);
  EXPECT_TRUE(IsWindowEnabled(ui[按钮_修改]));
  EXPECT_EQ(batch_.opened(), 0);
  EXPECT_TRUE(batch_.handed().empty());
}

}  // namespace
