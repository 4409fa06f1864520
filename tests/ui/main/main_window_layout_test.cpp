// The main window as its design lays it out: geometry, initial states, colours and tab stops.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <regex>

#include "app/controls.h"
#include "tests/support/main_window_harness.h"
#include "tests/support/message_recorder.h"
#include "tests/support/window_probe.h"
#include "ui/main/main_design.h"

namespace {

using namespace ui::main;
using testing_support::ClassOf;
using testing_support::ClientRectIn;
using testing_support::ColorsChosenFor;
using testing_support::MainWindowHarness;
using testing_support::StyleOf;

constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kBlack = RGB(0, 0, 0);

struct Placement {
  int id;
  const char* name;
  int parent;  // 0: the window itself
  int x, y, width, height;  // in the window's client area
};

// Every control, with its place in the client area (controls of the group boxes included).
constexpr Placement kPlacements[] = {
    {图片框1, "图片框1", 0, 4, -57, 464, 57},
    {分组框1, "分组框1", 0, 5, 60, 463, 45},
    {标签1, "标签1", 分组框1, 16, 76, 56, 16},
    {编辑框_文件路径, "编辑框_文件路径", 分组框1, 74, 74, 300, 22},
    {按钮_浏览, "按钮_浏览", 分组框1, 383, 73, 76, 23},
    {分组框2, "分组框2", 0, 5, 110, 463, 110},
    {标签_文件大小, "标签_文件大小", 分组框2, 16, 132, 56, 16},
    {编辑框_文件大小, "编辑框_文件大小", 分组框2, 76, 130, 145, 22},
    {标签_创建时间, "标签_创建时间", 分组框2, 251, 132, 56, 16},
    {日期框_创建时间, "日期框_创建时间", 分组框2, 312, 130, 145, 22},
    {标签_修改时间, "标签_修改时间", 分组框2, 16, 163, 56, 16},
    {日期框_修改时间, "日期框_修改时间", 分组框2, 76, 161, 145, 22},
    {标签_访问时间, "标签_访问时间", 分组框2, 251, 163, 56, 16},
    {日期框_访问时间, "日期框_访问时间", 分组框2, 312, 161, 145, 22},
    {标签_文件属性, "标签_文件属性", 分组框2, 16, 194, 56, 16},
    {选择框_只读, "选择框_只读", 分组框2, 76, 195, 46, 16},
    {选择框_存档, "选择框_存档", 分组框2, 177, 195, 46, 16},
    {选择框_隐藏, "选择框_隐藏", 分组框2, 283, 195, 46, 16},
    {选择框_系统, "选择框_系统", 分组框2, 386, 195, 46, 16},
    {按钮_批量修改, "按钮_批量修改", 0, 259, 226, 106, 25},
    {按钮_修改, "按钮_修改", 0, 386, 226, 78, 25},
};

constexpr int kGreyLabels[] = {标签_文件大小, 标签_创建时间, 标签_修改时间, 标签_访问时间, 标签_文件属性};
constexpr int kDisabledAtStart[] = {按钮_修改,       编辑框_文件大小, 日期框_创建时间, 日期框_修改时间, 日期框_访问时间,
                                    选择框_只读,     选择框_存档,     选择框_隐藏,     选择框_系统,     选择框1};
constexpr int kEnabledAtStart[] = {图片框1, 分组框1,       标签1,         编辑框_文件路径, 按钮_浏览,     分组框2,
                                   按钮_批量修改, 标签_文件大小, 标签_创建时间, 标签_修改时间, 标签_访问时间, 标签_文件属性};
constexpr int kCheckBoxes[] = {选择框_只读, 选择框_存档, 选择框_隐藏, 选择框_系统};
constexpr int kPickers[] = {日期框_创建时间, 日期框_修改时间, 日期框_访问时间};
// Tab order: 按钮_浏览, then the seven controls of 分组框2 in this order.
constexpr int kTabOrder[] = {按钮_浏览,   日期框_创建时间, 日期框_修改时间, 日期框_访问时间,
                             选择框_只读, 选择框_存档,     选择框_隐藏,     选择框_系统};

// Makes every main window created on this thread while it lives draw a thicker caption bar, as
// a system with larger caption metrics would, without changing any setting of the system.
class ThickerCaptionForNewMainWindows {
 public:
  static constexpr int kExtra = 14;

  ThickerCaptionForNewMainWindows()
      : hook_(SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId())) {}
  ~ThickerCaptionForNewMainWindows() { UnhookWindowsHookEx(hook_); }
  bool ok() const { return hook_ != nullptr; }

 private:
  static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == HCBT_CREATEWND && ClassOf(reinterpret_cast<HWND>(wParam)) == "FileStampMainWindow")
      SetWindowSubclass(reinterpret_cast<HWND>(wParam), Thicker, 0, 0);
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static LRESULT CALLBACK Thicker(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) noexcept {
    if (msg == WM_NCCALCSIZE) {
      const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
      reinterpret_cast<RECT*>(lParam)->top += kExtra;  // the first rectangle either way
      return result;
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, Thicker, 0);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
  }

  HHOOK hook_;
};

TEST(MainWindowFrame, ClientAreaIsStill258HighWithAThickerCaption) {
  ThickerCaptionForNewMainWindows thicker;
  ASSERT_TRUE(thicker.ok());
  MainWindowHarness ui;
  ui.ShowAndSettle();

  RECT client{}, outer{};
  GetClientRect(ui.hwnd(), &client);
  GetWindowRect(ui.hwnd(), &outer);
  EXPECT_EQ(client.bottom - client.top, 258);
  EXPECT_EQ(outer.bottom - outer.top, 283 + ThickerCaptionForNewMainWindows::kExtra) << "the window grew instead";
  // The bottom buttons stay inside the client area.
  EXPECT_LE(ClientRectIn(ui[按钮_修改], ui.hwnd()).bottom, client.bottom);
}

class MainWindowLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override { ui_.ShowAndSettle(); }

  MainWindowHarness ui_;
};

TEST_F(MainWindowLayoutTest, ClientAreaIsExactly258PixelsHigh) {
  RECT client{};
  GetClientRect(ui_.hwnd(), &client);
  EXPECT_EQ(client.bottom - client.top, 258);
}

TEST_F(MainWindowLayoutTest, WindowIsCentredOnTheScreenByItsDesignSize) {
  RECT outer{};
  GetWindowRect(ui_.hwnd(), &outer);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 479) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 283) / 2);
  EXPECT_EQ(outer.right - outer.left, 479);
}

TEST_F(MainWindowLayoutTest, FrameIsFixedWithMinimizeBoxButNoMaximizeBox) {
  const DWORD style = StyleOf(ui_.hwnd());
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_EQ(GetWindow(ui_.hwnd(), GW_OWNER), nullptr);
  EXPECT_EQ(GetMenu(ui_.hwnd()), nullptr);
  EXPECT_FALSE(GetWindowLongPtrA(ui_.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(MainWindowLayoutTest, WindowCarriesTheProgramIconLargeAndSmall) {
  EXPECT_NE(SendMessageA(ui_.hwnd(), WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(SendMessageA(ui_.hwnd(), WM_GETICON, ICON_SMALL, 0), 0);
}

TEST_F(MainWindowLayoutTest, CaptionStartsWithTheProgramTitleAndABlank) {
  EXPECT_EQ(app::GetText(ui_.hwnd()).rfind("Tavrin文件时间属性修改器 ", 0), 0u) << app::GetText(ui_.hwnd());
}

TEST_F(MainWindowLayoutTest, EveryControlSitsAtItsDesignPlaceInTheClientArea) {
  for (const Placement& p : kPlacements) {
    SCOPED_TRACE(p.name);
    HWND control = ui_[p.id];
    ASSERT_NE(control, nullptr);
    const RECT rect = ClientRectIn(control, ui_.hwnd());
    EXPECT_EQ(rect.left, p.x);
    EXPECT_EQ(rect.top, p.y);
    EXPECT_EQ(rect.right - rect.left, p.width);
    EXPECT_EQ(rect.bottom - rect.top, p.height);
  }
}

TEST_F(MainWindowLayoutTest, ControlsOfAGroupBoxAreItsChildWindows) {
  for (const Placement& p : kPlacements) {
    SCOPED_TRACE(p.name);
    EXPECT_EQ(GetParent(ui_[p.id]), p.parent ? ui_[p.parent] : ui_.hwnd());
  }
}

TEST_F(MainWindowLayoutTest, BottomButtonsAndTheCreditLineLieInsideTheClientArea) {
  RECT client{};
  GetClientRect(ui_.hwnd(), &client);
  for (int id : {按钮_批量修改, 按钮_修改, 选择框1}) {
    const RECT rect = ClientRectIn(ui_[id], ui_.hwnd());
    EXPECT_LE(rect.bottom, client.bottom) << id;
  }
}

TEST_F(MainWindowLayoutTest, CreditLineEndsAtX137OnTheRowBelowTheGroupBoxes) {
  const RECT rect = ClientRectIn(ui_[选择框1], ui_.hwnd());
  EXPECT_EQ(rect.right, 137);
  EXPECT_EQ(rect.top, 232);
  EXPECT_EQ(rect.bottom, 248);
  EXPECT_LT(rect.left, 0);  // its box lies left of the client area
  EXPECT_TRUE(StyleOf(ui_[选择框1]) & BS_RIGHT);
  EXPECT_FALSE(IsWindowEnabled(ui_[选择框1]));
}

TEST_F(MainWindowLayoutTest, BannerPictureBoxLiesWhollyAboveTheClientArea) {
  const RECT rect = ClientRectIn(ui_[图片框1], ui_.hwnd());
  EXPECT_LE(rect.bottom, 0);
}

TEST_F(MainWindowLayoutTest, BannerPictureBoxHoldsThe464By57Banner) {
  const auto bitmap = reinterpret_cast<HBITMAP>(SendMessageA(ui_[图片框1], STM_GETIMAGE, IMAGE_BITMAP, 0));
  ASSERT_NE(bitmap, nullptr);
  BITMAP info{};
  ASSERT_NE(GetObjectA(bitmap, sizeof info, &info), 0);
  EXPECT_EQ(info.bmWidth, 464);
  EXPECT_EQ(info.bmHeight, 57);
}

TEST_F(MainWindowLayoutTest, ControlsHaveTheKindsOfTheDesign) {
  EXPECT_EQ(ClassOf(ui_[编辑框_文件路径]), "Edit");
  EXPECT_EQ(ClassOf(ui_[编辑框_文件大小]), "Edit");
  for (int id : kPickers) EXPECT_EQ(ClassOf(ui_[id]), DATETIMEPICK_CLASSA) << id;
  for (int id : kCheckBoxes) EXPECT_EQ(StyleOf(ui_[id]) & BS_TYPEMASK, static_cast<DWORD>(BS_AUTOCHECKBOX)) << id;
  for (int id : {分组框1, 分组框2}) EXPECT_EQ(StyleOf(ui_[id]) & BS_TYPEMASK, static_cast<DWORD>(BS_GROUPBOX)) << id;
  for (int id : {编辑框_文件路径, 编辑框_文件大小}) {
    EXPECT_TRUE(StyleOf(ui_[id]) & ES_READONLY) << id;
    EXPECT_TRUE(GetWindowLongPtrA(ui_[id], GWL_EXSTYLE) & WS_EX_CLIENTEDGE) << id;
  }
  for (int id : kPickers) {
    EXPECT_TRUE(StyleOf(ui_[id]) & DTS_UPDOWN) << id;
    EXPECT_FALSE(StyleOf(ui_[id]) & DTS_SHOWNONE) << id;
  }
}

TEST_F(MainWindowLayoutTest, CaptionsAreThoseOfTheDesign) {
  EXPECT_EQ(app::GetText(ui_[标签1]), "文件路径:");
  EXPECT_EQ(app::GetText(ui_[按钮_浏览]), "浏览(&V)...");
  EXPECT_EQ(app::GetText(ui_[分组框2]), "文件属性");
  EXPECT_EQ(app::GetText(ui_[分组框1]), "");
  EXPECT_EQ(app::GetText(ui_[标签_文件大小]), "文件大小:");
  EXPECT_EQ(app::GetText(ui_[标签_创建时间]), "创建时间:");
  EXPECT_EQ(app::GetText(ui_[标签_修改时间]), "修改时间:");
  EXPECT_EQ(app::GetText(ui_[标签_访问时间]), "访问时间:");
  EXPECT_EQ(app::GetText(ui_[标签_文件属性]), "文件属性:");
  EXPECT_EQ(app::GetText(ui_[选择框_只读]), "只读");
  EXPECT_EQ(app::GetText(ui_[选择框_存档]), "存档");
  EXPECT_EQ(app::GetText(ui_[选择框_隐藏]), "隐藏");
  EXPECT_EQ(app::GetText(ui_[选择框_系统]), "系统");
  EXPECT_EQ(app::GetText(ui_[按钮_批量修改]), "批量修改(&B)...");
  EXPECT_EQ(app::GetText(ui_[按钮_修改]), "修改(&M)...");
}

TEST_F(MainWindowLayoutTest, EveryControlUsesTheDefaultGuiFont) {
  const auto font = reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT));
  for (const Placement& p : kPlacements) {
    if (p.id == 图片框1) continue;  // shows a picture, no text
    EXPECT_EQ(SendMessageA(ui_[p.id], WM_GETFONT, 0, 0), font) << p.name;
  }
}

TEST_F(MainWindowLayoutTest, BeforeAnyFileOnlyTheDesignedControlsAreEnabled) {
  for (int id : kDisabledAtStart) EXPECT_FALSE(IsWindowEnabled(ui_[id])) << id;
  for (int id : kEnabledAtStart) EXPECT_TRUE(IsWindowEnabled(ui_[id])) << id;
}

TEST_F(MainWindowLayoutTest, BeforeAnyFileBoxesAreUntickedAndEditBoxesEmpty) {
  for (int id : kCheckBoxes) EXPECT_FALSE(app::IsChecked(ui_[id])) << id;
  EXPECT_EQ(app::GetText(ui_[编辑框_文件路径]), "");
  EXPECT_EQ(app::GetText(ui_[编辑框_文件大小]), "");
}

TEST_F(MainWindowLayoutTest, PickersStartAtTheCurrentTimeInTheSecondsFormat) {
  const core::LocalDateTime now = testing_support::LocalNow();
  const std::regex shown(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2})");
  for (int id : kPickers) {
    const core::LocalDateTime value = app::DtpGetTime(ui_[id]);
    // Same day and within a few minutes of now (the window was made moments ago).
    EXPECT_EQ(value.year, now.year);
    EXPECT_EQ(value.month, now.month);
    EXPECT_NEAR(value.day * 1440 + value.hour * 60 + value.minute, now.day * 1440 + now.hour * 60 + now.minute, 5);
    EXPECT_TRUE(std::regex_match(app::GetText(ui_[id]), shown)) << app::GetText(ui_[id]);
  }
}

TEST_F(MainWindowLayoutTest, BeforeAnyFileTheFiveFieldLabelsAreGreyAndThePathLabelBlack) {
  for (int id : kGreyLabels) EXPECT_EQ(ColorsChosenFor(ui_[id]).text, kGrey) << id;
  EXPECT_EQ(ColorsChosenFor(ui_[标签1]).text, kBlack);
}

TEST_F(MainWindowLayoutTest, LabelsAndEditBoxesHaveTheWindowBackground) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (int id : kGreyLabels) EXPECT_EQ(ColorsChosenFor(ui_[id]).background, face) << id;
  EXPECT_EQ(ColorsChosenFor(ui_[标签1]).background, face);
  EXPECT_EQ(ColorsChosenFor(ui_[编辑框_文件路径]).background, face);
  EXPECT_EQ(ColorsChosenFor(ui_[编辑框_文件大小]).background, face);
}

TEST_F(MainWindowLayoutTest, TabStopsOnlyOnTheBrowseButtonThePickersAndTheBoxes) {
  for (const Placement& p : kPlacements) {
    const bool designed = std::find(std::begin(kTabOrder), std::end(kTabOrder), p.id) != std::end(kTabOrder);
    EXPECT_EQ((StyleOf(ui_[p.id]) & WS_TABSTOP) != 0, designed) << p.name;
  }
}

TEST_F(MainWindowLayoutTest, NoButtonIsADefaultButton) {
  for (int id : {按钮_浏览, 按钮_批量修改, 按钮_修改})
    EXPECT_EQ(StyleOf(ui_[id]) & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON)) << id;
}

TEST_F(MainWindowLayoutTest, GroupBoxesPassTabToTheirControls) {
  for (int id : {分组框1, 分组框2}) EXPECT_TRUE(GetWindowLongPtrA(ui_[id], GWL_EXSTYLE) & WS_EX_CONTROLPARENT) << id;
}

TEST_F(MainWindowLayoutTest, BeforeAnyFileTabReachesOnlyTheBrowseButton) {
  HWND browse = ui_[按钮_浏览];
  EXPECT_EQ(GetNextDlgTabItem(ui_.hwnd(), browse, FALSE), browse);
  EXPECT_EQ(GetNextDlgTabItem(ui_.hwnd(), browse, TRUE), browse);
}

}  // namespace
