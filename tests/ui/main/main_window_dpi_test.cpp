// The main window at a display scale: laid out at the scale's multiple of its 100 % design,
// and again after WM_DPICHANGED with everything the user entered kept. These run in the CTest
// entries that name a DPI and skip themselves elsewhere.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/controls.h"
#include "tests/support/dpi_probe.h"
#include "tests/support/main_window_harness.h"
#include "tests/support/temp_folder.h"
#include "ui/main/main_design.h"

namespace {

using namespace ui::main;
using testing_support::AtDpi;
using testing_support::Caption;
using testing_support::DesignedControl;

// Every control with its place in the client area at 100 % (controls of the group boxes
// included; the credit line's box lies left of it).
constexpr DesignedControl kControls[] = {
    {图片框1, 4, -57, 464, 57, Caption::kPicture},
    {分组框1, 5, 60, 463, 45, Caption::kNone},
    {标签1, 16, 76, 56, 16, Caption::kText},
    {编辑框_文件路径, 74, 74, 300, 22, Caption::kNone},
    {按钮_浏览, 383, 73, 76, 23, Caption::kText},
    {分组框2, 5, 110, 463, 110, Caption::kText},
    {标签_文件大小, 16, 132, 56, 16, Caption::kText},
    {编辑框_文件大小, 76, 130, 145, 22, Caption::kNone},
    {标签_创建时间, 251, 132, 56, 16, Caption::kText},
    {日期框_创建时间, 312, 130, 145, 22, Caption::kBesideArrows},
    {标签_修改时间, 16, 163, 56, 16, Caption::kText},
    {日期框_修改时间, 76, 161, 145, 22, Caption::kBesideArrows},
    {标签_访问时间, 251, 163, 56, 16, Caption::kText},
    {日期框_访问时间, 312, 161, 145, 22, Caption::kBesideArrows},
    {标签_文件属性, 16, 194, 56, 16, Caption::kText},
    {选择框_只读, 76, 195, 46, 16, Caption::kBesideCheck},
    {选择框_存档, 177, 195, 46, 16, Caption::kBesideCheck},
    {选择框_隐藏, 283, 195, 46, 16, Caption::kBesideCheck},
    {选择框_系统, 386, 195, 46, 16, Caption::kBesideCheck},
    {选择框1, -23, 232, 160, 16, Caption::kBesideCheck},
    {按钮_批量修改, 259, 226, 106, 25, Caption::kText},
    {按钮_修改, 386, 226, 78, 25, Caption::kText},
};
constexpr testing_support::DesignedWindow kDesign{479, 258, kControls};
constexpr int kOuterHeight100 = 283;

class MainWindowAtScale : public ::testing::Test {
 protected:
  void SetUp() override {
    dpi_ = testing_support::ExpectedTestDpi();
    if (dpi_ == 0) GTEST_SKIP() << "FILESTAMP_TEST_DPI names no display scale";
    ui_.emplace();
    ui_->ShowAndSettle();
  }

  UINT dpi_ = 0;
  testing_support::TempFolder temp_;
  std::optional<testing_support::MainWindowHarness> ui_;
};

TEST_F(MainWindowAtScale, IsLaidOutAndCentredAtTheScaleOfItsDisplay) {
  EXPECT_EQ(GetDpiForWindow(ui_->hwnd()), dpi_);
  RECT outer{};
  GetWindowRect(ui_->hwnd(), &outer);
  EXPECT_NEAR(outer.left, (GetSystemMetrics(SM_CXSCREEN) - AtDpi(kDesign.outerWidth, dpi_)) / 2, 1.0);
  EXPECT_NEAR(outer.top, (GetSystemMetrics(SM_CYSCREEN) - AtDpi(kOuterHeight100, dpi_)) / 2, 1.0);
  testing_support::ExpectLaidOutAt(ui_->window(), kDesign, dpi_);
}

TEST_F(MainWindowAtScale, DpiChangeLaysOutAtTheNewDpiKeepsTheEntriesAndFreesTheOldFont) {
  ui_->window().TakePaths({temp_.MakeFile("shown.txt", "12345")});
  app::SetChecked((*ui_)[选择框_隐藏], true);
  app::DtpSetTime((*ui_)[日期框_修改时间], {2001, 2, 3, 4, 5, 6});
  ASSERT_EQ(app::GetText((*ui_)[编辑框_文件路径]), temp_.Child("shown.txt"));
  const std::vector<std::string> before = testing_support::ControlStates(ui_->window(), kControls);
  const HGDIOBJ stock = GetStockObject(DEFAULT_GUI_FONT);
  auto previousFont = reinterpret_cast<HGDIOBJ>(SendMessageA((*ui_)[标签1], WM_GETFONT, 0, 0));
  testing_support::ForEachDpiChange(ui_->window(), dpi_, [&](UINT to) {
    testing_support::ExpectLaidOutAt(ui_->window(), kDesign, to);
    EXPECT_EQ(testing_support::ControlStates(ui_->window(), kControls), before);
    if (previousFont != stock) {
      EXPECT_NE(GetObjectType(previousFont), static_cast<DWORD>(OBJ_FONT)) << "the old font is released";
    }
    EXPECT_EQ(GetObjectType(stock), static_cast<DWORD>(OBJ_FONT));
    previousFont = reinterpret_cast<HGDIOBJ>(SendMessageA((*ui_)[标签1], WM_GETFONT, 0, 0));
  });
}

}  // namespace
