// The main window at a display scale: every place, the client height, the font and the icons
// at the scale's multiple of the 100 % design, with no caption cut off; and the same after
// WM_DPICHANGED, with everything the user entered kept. These run in the CTest entries that
// name a DPI and skip themselves elsewhere.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <cmath>
#include <optional>

#include "app/controls.h"
#include "tests/support/dpi_probe.h"
#include "tests/support/main_window_harness.h"
#include "tests/support/temp_folder.h"
#include "tests/support/window_probe.h"
#include "tests/ui/main/main_window_places.h"
#include "ui/main/main_design.h"

namespace {

using namespace ui::main;
using testing_support::AtDpi;
using testing_support::CaptionWidth;
using testing_support::ClientRectIn;
using testing_support::FontHeightOf;
using testing_support::IconSize;
using testing_support::MainWindowHarness;

// 100 %, 150 % and 200 %.
constexpr UINT kDpis[] = {96, 144, 192};

// The window at 100 %: its outer size and its client height.
constexpr int kOuterWidth100 = 479;
constexpr int kOuterHeight100 = 283;
constexpr int kClientHeight100 = 258;
// The GUI font is 8 points, and the system's icons are 32 and 16 pixels at 100 %.
constexpr int kGuiFontPoints = 8;
constexpr int kBigIcon100 = 32;
constexpr int kSmallIcon100 = 16;

// The credit line, whose box lies left of the client area.
constexpr Placement kCreditLine = {选择框1, "选择框1", 0, -23, 232, 160, 16};

// How a caption is drawn: alone, right of a check box's glyph, or left of a picker's arrows.
enum class Drawn { kText, kBesideCheck, kBesideArrows };
struct Caption {
  int id;
  Drawn drawn;
};
constexpr Caption kCaptions[] = {
    {标签1, Drawn::kText},
    {按钮_浏览, Drawn::kText},
    {分组框2, Drawn::kText},
    {标签_文件大小, Drawn::kText},
    {标签_创建时间, Drawn::kText},
    {日期框_创建时间, Drawn::kBesideArrows},
    {标签_修改时间, Drawn::kText},
    {日期框_修改时间, Drawn::kBesideArrows},
    {标签_访问时间, Drawn::kText},
    {日期框_访问时间, Drawn::kBesideArrows},
    {标签_文件属性, Drawn::kText},
    {选择框_只读, Drawn::kBesideCheck},
    {选择框_存档, Drawn::kBesideCheck},
    {选择框_隐藏, Drawn::kBesideCheck},
    {选择框_系统, Drawn::kBesideCheck},
    {选择框1, Drawn::kBesideCheck},
    {按钮_批量修改, Drawn::kText},
    {按钮_修改, Drawn::kText},
};

constexpr int kCheckBoxes[] = {选择框_只读, 选择框_存档, 选择框_隐藏, 选择框_系统};
constexpr int kPickers[] = {日期框_创建时间, 日期框_修改时间, 日期框_访问时间};

void ExpectPlaceAt(const MainWindowHarness& ui, const Placement& p, UINT dpi) {
  SCOPED_TRACE(p.name);
  const RECT rect = ClientRectIn(ui[p.id], ui.hwnd());
  EXPECT_NEAR(rect.left, AtDpi(p.x, dpi), 1.0);
  EXPECT_NEAR(rect.top, AtDpi(p.y, dpi), 1.0);
  EXPECT_NEAR(rect.right - rect.left, AtDpi(p.width, dpi), 1.0);
  EXPECT_NEAR(rect.bottom - rect.top, AtDpi(p.height, dpi), 1.0);
}

void ExpectPlacesAt(const MainWindowHarness& ui, UINT dpi) {
  for (const Placement& p : kPlacements) ExpectPlaceAt(ui, p, dpi);
  ExpectPlaceAt(ui, kCreditLine, dpi);
  RECT client{}, outer{};
  GetClientRect(ui.hwnd(), &client);
  GetWindowRect(ui.hwnd(), &outer);
  EXPECT_NEAR(client.bottom, AtDpi(kClientHeight100, dpi), 1.0) << "client height";
  EXPECT_NEAR(outer.right - outer.left, AtDpi(kOuterWidth100, dpi), 1.0) << "window width";
}

void ExpectFontAt(const MainWindowHarness& ui, UINT dpi) {
  const LRESULT font = SendMessageA(ui[标签1], WM_GETFONT, 0, 0);
  EXPECT_NEAR(FontHeightOf(ui[标签1]), -kGuiFontPoints * static_cast<double>(dpi) / 72, 1.0);
  LOGFONTW shown{}, gui{};
  GetObjectW(reinterpret_cast<HGDIOBJ>(font), sizeof shown, &shown);
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
  EXPECT_STREQ(shown.lfFaceName, gui.lfFaceName);
  for (const Placement& p : kPlacements) {
    if (p.id == 图片框1) continue;  // shows a picture, no text
    EXPECT_EQ(SendMessageA(ui[p.id], WM_GETFONT, 0, 0), font) << p.name;
  }
  EXPECT_EQ(SendMessageA(ui[选择框1], WM_GETFONT, 0, 0), font);
}

void ExpectIconsAt(const MainWindowHarness& ui, UINT dpi) {
  const SIZE big = IconSize(reinterpret_cast<HICON>(SendMessageA(ui.hwnd(), WM_GETICON, ICON_BIG, 0)));
  const SIZE small = IconSize(reinterpret_cast<HICON>(SendMessageA(ui.hwnd(), WM_GETICON, ICON_SMALL, 0)));
  EXPECT_EQ(big.cx, std::lround(AtDpi(kBigIcon100, dpi)));
  EXPECT_EQ(big.cy, std::lround(AtDpi(kBigIcon100, dpi)));
  EXPECT_EQ(small.cx, std::lround(AtDpi(kSmallIcon100, dpi)));
  EXPECT_EQ(small.cy, std::lround(AtDpi(kSmallIcon100, dpi)));
}

void ExpectCaptionsFit(const MainWindowHarness& ui, UINT dpi) {
  for (const Caption& caption : kCaptions) {
    HWND control = ui[caption.id];
    int needed = CaptionWidth(control);
    if (caption.drawn == Drawn::kBesideCheck) needed += GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi);
    if (caption.drawn == Drawn::kBesideArrows) {
      RECT arrows{};
      GetWindowRect(FindWindowExA(control, nullptr, UPDOWN_CLASSA, nullptr), &arrows);
      needed += arrows.right - arrows.left;
    }
    RECT rect{};
    GetClientRect(control, &rect);
    EXPECT_LE(needed, rect.right) << app::GetText(control);
  }
}

void ExpectLayoutAt(const MainWindowHarness& ui, UINT dpi) {
  ExpectPlacesAt(ui, dpi);
  ExpectFontAt(ui, dpi);
  ExpectIconsAt(ui, dpi);
  ExpectCaptionsFit(ui, dpi);
}

class MainWindowAtScale : public ::testing::Test {
 protected:
  void SetUp() override {
    dpi_ = testing_support::ExpectedTestDpi();
    if (dpi_ == 0) GTEST_SKIP() << "FILESTAMP_TEST_DPI names no display scale";
    ui_.emplace();
    ui_->ShowAndSettle();
  }

  UINT dpi_ = 0;
  std::optional<MainWindowHarness> ui_;
};

TEST_F(MainWindowAtScale, ShowsAtTheDpiOfItsDisplay) {
  EXPECT_EQ(GetDpiForWindow(ui_->hwnd()), dpi_);
  EXPECT_EQ(ui_->window().dpi(), dpi_);
}

TEST_F(MainWindowAtScale, IsCentredByItsScaledDesignSize) {
  RECT outer{};
  GetWindowRect(ui_->hwnd(), &outer);
  EXPECT_NEAR(outer.left, (GetSystemMetrics(SM_CXSCREEN) - AtDpi(kOuterWidth100, dpi_)) / 2, 1.0);
  EXPECT_NEAR(outer.top, (GetSystemMetrics(SM_CYSCREEN) - AtDpi(kOuterHeight100, dpi_)) / 2, 1.0);
}

TEST_F(MainWindowAtScale, EveryControlAndTheClientHeightAreTheDesignsScaled) { ExpectPlacesAt(*ui_, dpi_); }

TEST_F(MainWindowAtScale, EveryControlHasTheGuiFontAtTheScale) { ExpectFontAt(*ui_, dpi_); }

TEST_F(MainWindowAtScale, WindowIconsHaveTheScalesIconSizes) { ExpectIconsAt(*ui_, dpi_); }

TEST_F(MainWindowAtScale, NoCaptionIsCutOff) {
  ExpectCaptionsFit(*ui_, dpi_);  // the pickers' texts too: they show the current time
}

// What the user sees and entered, to compare before and after a change of DPI.
struct Entered {
  std::string path, size;
  std::array<core::LocalDateTime, 3> times;
  std::array<bool, 4> ticked;
  std::array<bool, 7> enabled;
  friend bool operator==(const Entered&, const Entered&) = default;
};

Entered EnteredIn(const MainWindowHarness& ui) {
  Entered entered{app::GetText(ui[编辑框_文件路径]), app::GetText(ui[编辑框_文件大小]), {}, {}, {}};
  for (std::size_t i = 0; i < std::size(kPickers); ++i) entered.times[i] = app::DtpGetTime(ui[kPickers[i]]);
  for (std::size_t i = 0; i < std::size(kCheckBoxes); ++i) entered.ticked[i] = app::IsChecked(ui[kCheckBoxes[i]]);
  const int switched[] = {按钮_修改,       编辑框_文件大小, 日期框_创建时间, 日期框_修改时间,
                          日期框_访问时间, 选择框_只读,     选择框1};
  for (std::size_t i = 0; i < std::size(switched); ++i) entered.enabled[i] = IsWindowEnabled(ui[switched[i]]) != FALSE;
  return entered;
}

class MainWindowDpiChange : public MainWindowAtScale {
 protected:
  // Goes through every other DPI and back to the display's, checking each step.
  template <typename Check>
  void ForEachChange(Check check) {
    UINT from = dpi_;
    std::vector<UINT> steps;
    for (UINT dpi : kDpis)
      if (dpi != dpi_) steps.push_back(dpi);
    steps.push_back(dpi_);
    for (UINT to : steps) {
      SCOPED_TRACE(testing::Message() << from << " -> " << to << " DPI");
      check(from, to);
      from = to;
    }
  }

  testing_support::TempFolder temp_;
};

TEST_F(MainWindowDpiChange, TakesTheSuggestedRectangleAndLaysOutAtTheNewDpi) {
  ForEachChange([&](UINT from, UINT to) {
    const RECT suggested = testing_support::SuggestedRect(ui_->hwnd(), from, to);
    testing_support::SendDpiChanged(ui_->hwnd(), to, suggested);
    RECT outer{};
    GetWindowRect(ui_->hwnd(), &outer);
    EXPECT_EQ(outer.left, suggested.left);
    EXPECT_EQ(outer.top, suggested.top);
    EXPECT_EQ(outer.right, suggested.right);
    EXPECT_EQ(ui_->window().dpi(), to);
    ExpectLayoutAt(*ui_, to);
  });
}

TEST_F(MainWindowDpiChange, KeepsTheFileThePickersAndTheBoxesAsEntered) {
  ui_->window().TakePaths({testing_support::MakeStampedFile(temp_, "shown.txt", "12345")});
  app::SetChecked((*ui_)[选择框_隐藏], !app::IsChecked((*ui_)[选择框_隐藏]));
  app::DtpSetTime((*ui_)[日期框_修改时间], {2001, 2, 3, 4, 5, 6});
  const Entered before = EnteredIn(*ui_);
  ASSERT_EQ(before.path, temp_.Child("shown.txt"));
  ForEachChange([&](UINT from, UINT to) {
    testing_support::SendDpiChanged(ui_->hwnd(), to, testing_support::SuggestedRect(ui_->hwnd(), from, to));
    EXPECT_EQ(EnteredIn(*ui_), before);
  });
}

TEST_F(MainWindowDpiChange, ReleasesTheFontItNoLongerUsesButNeverTheStockFont) {
  const HGDIOBJ stock = GetStockObject(DEFAULT_GUI_FONT);
  ForEachChange([&](UINT from, UINT to) {
    const auto old = reinterpret_cast<HGDIOBJ>(SendMessageA((*ui_)[标签1], WM_GETFONT, 0, 0));
    testing_support::SendDpiChanged(ui_->hwnd(), to, testing_support::SuggestedRect(ui_->hwnd(), from, to));
    if (old != stock) {
      EXPECT_NE(GetObjectType(old), static_cast<DWORD>(OBJ_FONT));
    }
    EXPECT_EQ(GetObjectType(stock), static_cast<DWORD>(OBJ_FONT));
  });
}

}  // namespace
