// The batch window at a display scale: every place, the client height, the status bar, the
// list's columns, the font and every icon at the scale's multiple of the 100 % design, with no
// caption cut off; and the same after WM_DPICHANGED, with the rows, their icons, the selection
// and the settings kept. These run in the CTest entries that name a DPI and skip themselves
// elsewhere.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "app/controls.h"
#include "tests/support/batch_window_driver.h"
#include "tests/support/dpi_probe.h"
#include "tests/support/message_recorder.h"
#include "tests/support/temp_folder.h"
#include "tests/support/window_probe.h"
#include "ui/batch/batch_design.h"
#include "ui/batch/batch_window.h"

namespace ui::batch {
namespace {

using testing_support::AtDpi;
using testing_support::CaptionWidth;
using testing_support::ClientRectIn;
using testing_support::FontHeightOf;
using testing_support::IconSize;

// 100 %, 150 % and 200 %.
constexpr UINT kDpis[] = {96, 144, 192};

// The window at 100 %: its outer width, its client height and its status bar's height.
constexpr int kOuterWidth100 = 581;
constexpr int kClientHeight100 = 371;
constexpr int kStatusBarHeight100 = 20;
// The GUI font is 8 points, and the system's icons are 32 and 16 pixels at 100 %.
constexpr int kGuiFontPoints = 8;
constexpr int kBigIcon100 = 32;
constexpr int kSmallIcon100 = 16;

struct Placement {
  int id;
  const char* name;
  int x, y, width, height;  // in the window's client area, at 100 %
};
constexpr Placement kPlacements[] = {
    {分组框, "分组框", 5, 5, 565, 83},
    {标签_创建时间, "标签_创建时间", 16, 27, 56, 16},
    {日期框_创建时间, "日期框_创建时间", 76, 25, 145, 22},
    {标签_修改时间, "标签_修改时间", 251, 27, 56, 16},
    {日期框_修改时间, "日期框_修改时间", 312, 25, 145, 22},
    {标签_访问时间, "标签_访问时间", 16, 58, 56, 16},
    {日期框_访问时间, "日期框_访问时间", 76, 56, 145, 22},
    {选择框_只读, "选择框_只读", 251, 59, 46, 16},
    {选择框_存档, "选择框_存档", 306, 59, 46, 16},
    {选择框_隐藏, "选择框_隐藏", 360, 59, 46, 16},
    {选择框_系统, "选择框_系统", 415, 59, 46, 16},
    {按钮_浏览文件夹, "按钮_浏览文件夹", 480, 24, 80, 23},
    {按钮_批量修改, "按钮_批量修改", 480, 54, 80, 23},
    {超级列表框, "超级列表框", 5, 94, 565, 252},
};
// The list's columns at 100 %, left to right.
constexpr int kColumnWidths100[] = {135, 60, 95, 210, 40};

// How a caption is drawn: alone, right of a check box's glyph, or left of a picker's arrows.
enum class Drawn { kText, kBesideCheck, kBesideArrows };
struct Caption {
  int id;
  Drawn drawn;
};
constexpr Caption kCaptions[] = {
    {分组框, Drawn::kText},
    {标签_创建时间, Drawn::kText},
    {日期框_创建时间, Drawn::kBesideArrows},
    {标签_修改时间, Drawn::kText},
    {日期框_修改时间, Drawn::kBesideArrows},
    {标签_访问时间, Drawn::kText},
    {日期框_访问时间, Drawn::kBesideArrows},
    {选择框_只读, Drawn::kBesideCheck},
    {选择框_存档, Drawn::kBesideCheck},
    {选择框_隐藏, Drawn::kBesideCheck},
    {选择框_系统, Drawn::kBesideCheck},
    {按钮_浏览文件夹, Drawn::kText},
    {按钮_批量修改, Drawn::kText},
};

constexpr int kPickers[] = {日期框_创建时间, 日期框_修改时间, 日期框_访问时间};
constexpr int kCheckBoxes[] = {选择框_只读, 选择框_存档, 选择框_隐藏, 选择框_系统};

int WidthOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect.right - rect.left;
}

int ColumnWidth(HWND list, int column) {
  return static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

// The width a text needs in a window's font.
int TextWidth(HWND window, const std::wstring& text) {
  HDC dc = GetDC(window);
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return size.cx;
}

std::wstring HeaderText(HWND list, int column) {
  wchar_t text[64] = {};
  LVCOLUMNW spec{};
  spec.mask = LVCF_TEXT;
  spec.pszText = text;
  spec.cchTextMax = static_cast<int>(std::size(text));
  SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&spec));
  return text;
}

// An image of the list, pixel by pixel.
std::vector<COLORREF> Pixels(HIMAGELIST images, int index) {
  int cx = 0, cy = 0;
  ImageList_GetIconSize(images, &cx, &cy);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, cx, cy);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  ImageList_Draw(images, index, dc, 0, 0, ILD_NORMAL);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < cy; ++y)
    for (int x = 0; x < cx; ++x) pixels.push_back(GetPixel(dc, x, y));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixels;
}

void ExpectPlacesAt(const BatchWindow& window, UINT dpi) {
  for (const Placement& p : kPlacements) {
    SCOPED_TRACE(p.name);
    const RECT rect = ClientRectIn(window.control(p.id), window.hwnd());
    EXPECT_NEAR(rect.left, AtDpi(p.x, dpi), 1.0);
    EXPECT_NEAR(rect.top, AtDpi(p.y, dpi), 1.0);
    EXPECT_NEAR(rect.right - rect.left, AtDpi(p.width, dpi), 1.0);
    EXPECT_NEAR(rect.bottom - rect.top, AtDpi(p.height, dpi), 1.0);
  }
  RECT client{};
  GetClientRect(window.hwnd(), &client);
  EXPECT_NEAR(client.bottom, AtDpi(kClientHeight100, dpi), 1.0) << "client height";
  EXPECT_NEAR(WidthOf(window.hwnd()), AtDpi(kOuterWidth100, dpi), 1.0) << "window width";
  // The status bar lies along the whole bottom edge.
  const RECT status = ClientRectIn(window.control(状态条), window.hwnd());
  EXPECT_EQ(status.left, 0);
  EXPECT_EQ(status.right, client.right);
  EXPECT_EQ(status.bottom, client.bottom);
  EXPECT_NEAR(status.bottom - status.top, AtDpi(kStatusBarHeight100, dpi), 1.0) << "status bar height";
}

void ExpectFontAt(const BatchWindow& window, UINT dpi) {
  const LRESULT font = SendMessageA(window.control(分组框), WM_GETFONT, 0, 0);
  EXPECT_NEAR(FontHeightOf(window.control(分组框)), -kGuiFontPoints * static_cast<double>(dpi) / 72, 1.0);
  for (const Placement& p : kPlacements)
    EXPECT_EQ(SendMessageA(window.control(p.id), WM_GETFONT, 0, 0), font) << p.name;
  EXPECT_EQ(SendMessageA(window.control(状态条), WM_GETFONT, 0, 0), font);
  const auto header = reinterpret_cast<HWND>(SendMessageA(window.control(超级列表框), LVM_GETHEADER, 0, 0));
  EXPECT_EQ(SendMessageA(header, WM_GETFONT, 0, 0), font) << "column headers";
}

void ExpectIconsAt(const BatchWindow& window, UINT dpi) {
  const long big = std::lround(AtDpi(kBigIcon100, dpi));
  const long small = std::lround(AtDpi(kSmallIcon100, dpi));
  const SIZE windowBig = IconSize(reinterpret_cast<HICON>(SendMessageA(window.hwnd(), WM_GETICON, ICON_BIG, 0)));
  const SIZE windowSmall = IconSize(reinterpret_cast<HICON>(SendMessageA(window.hwnd(), WM_GETICON, ICON_SMALL, 0)));
  const SIZE status = IconSize(reinterpret_cast<HICON>(SendMessageA(window.control(状态条), SB_GETICON, 0, 0)));
  EXPECT_EQ(windowBig.cx, big);
  EXPECT_EQ(windowBig.cy, big);
  EXPECT_EQ(windowSmall.cx, small);
  EXPECT_EQ(windowSmall.cy, small);
  EXPECT_EQ(status.cx, small) << "status bar icon";
  EXPECT_EQ(status.cy, small) << "status bar icon";
  int cx = 0, cy = 0;
  ImageList_GetIconSize(window.images(), &cx, &cy);
  EXPECT_EQ(cx, small) << "row icons";
  EXPECT_EQ(cy, small) << "row icons";
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(window.control(超级列表框), LVM_GETIMAGELIST, LVSIL_SMALL, 0)),
            window.images());
}

void ExpectCaptionsFit(const BatchWindow& window, UINT dpi) {
  for (const Caption& caption : kCaptions) {
    HWND control = window.control(caption.id);
    int needed = CaptionWidth(control);
    if (caption.drawn == Drawn::kBesideCheck) needed += GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi);
    if (caption.drawn == Drawn::kBesideArrows)
      needed += WidthOf(FindWindowExA(control, nullptr, UPDOWN_CLASSA, nullptr));
    RECT rect{};
    GetClientRect(control, &rect);
    EXPECT_LE(needed, rect.right) << app::GetText(control);
  }
  HWND list = window.control(超级列表框);
  const auto header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  for (int column = 0; column < static_cast<int>(std::size(kColumnWidths100)); ++column)
    EXPECT_LE(TextWidth(header, HeaderText(list, column)), ColumnWidth(list, column)) << "column " << column;
  HWND status = window.control(状态条);
  const int statusNeeded = TextWidth(status, testing_support::ShownText(status)) +
                           IconSize(reinterpret_cast<HICON>(SendMessageA(status, SB_GETICON, 0, 0))).cx;
  EXPECT_LE(statusNeeded, WidthOf(status)) << app::SbGetText(status);
}

void ExpectColumnsAt(const BatchWindow& window, UINT dpi) {
  for (int column = 0; column < static_cast<int>(std::size(kColumnWidths100)); ++column)
    EXPECT_NEAR(ColumnWidth(window.control(超级列表框), column), AtDpi(kColumnWidths100[column], dpi), 1.0)
        << "column " << column;
}

void ExpectLayoutAt(const BatchWindow& window, UINT dpi) {
  ExpectPlacesAt(window, dpi);
  ExpectColumnsAt(window, dpi);
  ExpectFontAt(window, dpi);
  ExpectIconsAt(window, dpi);
  ExpectCaptionsFit(window, dpi);
}

class BatchWindowAtScale : public ::testing::Test {
 protected:
  void SetUp() override {
    dpi_ = testing_support::ExpectedTestDpi();
    if (dpi_ == 0) GTEST_SKIP() << "FILESTAMP_TEST_DPI names no display scale";
    driver_.emplace();
    testing_support::PumpPending();
  }
  BatchWindow& window() { return driver_->window(); }

  UINT dpi_ = 0;
  testing_support::TempFolder temp_;
  std::optional<testing_support::BatchWindowDriver> driver_;
};

TEST_F(BatchWindowAtScale, ShowsAtTheDpiOfItsDisplay) {
  EXPECT_EQ(GetDpiForWindow(window().hwnd()), dpi_);
  EXPECT_EQ(window().dpi(), dpi_);
}

TEST_F(BatchWindowAtScale, EveryControlTheStatusBarAndTheClientHeightAreTheDesignsScaled) {
  ExpectPlacesAt(window(), dpi_);
}

TEST_F(BatchWindowAtScale, ListColumnsHaveTheirDesignWidthsScaled) { ExpectColumnsAt(window(), dpi_); }

TEST_F(BatchWindowAtScale, EveryControlHasTheGuiFontAtTheScale) { ExpectFontAt(window(), dpi_); }

TEST_F(BatchWindowAtScale, WindowStatusBarAndRowIconsHaveTheScalesIconSizes) {
  window().AddPaths({temp_.MakeFile("shown.txt")});
  ExpectIconsAt(window(), dpi_);
}

TEST_F(BatchWindowAtScale, NoCaptionHeaderOrStatusTextIsCutOff) { ExpectCaptionsFit(window(), dpi_); }

// What the window shows and the user set, to compare before and after a change of DPI.
struct Shown {
  std::vector<std::vector<std::string>> cells;
  std::vector<int> images;
  std::vector<bool> selected;
  std::array<bool, 3> pickersOn;
  std::array<bool, 4> ticked;
  std::string status;
  friend bool operator==(const Shown&, const Shown&) = default;
};

Shown ShownIn(const BatchWindow& window) {
  HWND list = window.control(超级列表框);
  Shown shown{{}, {}, {}, {}, {}, app::SbGetText(window.control(状态条))};
  for (int row = 0; row < app::LvRowCount(list); ++row) {
    std::vector<std::string> cells;
    for (int column = 0; column < static_cast<int>(std::size(kColumnWidths100)); ++column)
      cells.push_back(app::LvGetText(list, row, column));
    shown.cells.push_back(cells);
    shown.images.push_back(app::LvImage(list, row));
    shown.selected.push_back(app::LvIsSelected(list, row));
  }
  for (std::size_t i = 0; i < std::size(kPickers); ++i)
    shown.pickersOn[i] = IsWindowEnabled(window.control(kPickers[i])) != FALSE;
  for (std::size_t i = 0; i < std::size(kCheckBoxes); ++i)
    shown.ticked[i] = app::IsChecked(window.control(kCheckBoxes[i]));
  return shown;
}

class BatchWindowDpiChange : public BatchWindowAtScale {
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
      testing_support::SendDpiChanged(window().hwnd(), to, testing_support::SuggestedRect(window().hwnd(), from, to));
      check(to);
      from = to;
    }
  }
};

TEST_F(BatchWindowDpiChange, LaysOutEverythingAtTheNewDpi) {
  window().AddPaths({temp_.MakeFile("shown.txt")});
  ForEachChange([&](UINT to) {
    EXPECT_EQ(window().dpi(), to);
    ExpectLayoutAt(window(), to);
  });
}

TEST_F(BatchWindowDpiChange, KeepsTheRowsTheirIconsTheSelectionAndTheSettings) {
  const std::string folder = temp_.MakeFolder("A");
  temp_.MakeFolder("A\\B");
  temp_.MakeFile("A\\f.txt");
  temp_.MakeFile("A\\g.md");
  window().AddPaths({folder});
  driver_->SelectRows({1, 3});
  driver_->PressLabel(标签_修改时间);  // switches its picker off
  driver_->Tick(选择框_存档);
  const Shown before = ShownIn(window());
  ASSERT_EQ(before.cells.size(), 4u);
  ASSERT_FALSE(before.pickersOn[1]);
  const int images = ImageList_GetImageCount(window().images());
  ASSERT_GE(images, 3);
  std::vector<std::vector<COLORREF>> pictures;
  for (int image : before.images) pictures.push_back(Pixels(window().images(), image));
  ASSERT_NE(pictures[0], pictures[2]) << "a folder's and a file's icons tell apart";
  ForEachChange([&](UINT to) {
    EXPECT_EQ(ShownIn(window()), before);
    EXPECT_EQ(ImageList_GetImageCount(window().images()), images);
    // Back at the display's DPI, each row's index names its own picture again, as it was.
    if (to != dpi_) return;
    for (std::size_t row = 0; row < pictures.size(); ++row)
      EXPECT_EQ(Pixels(window().images(), before.images[row]), pictures[row]) << "row " << row;
  });
}

TEST_F(BatchWindowDpiChange, AColumnTheUserWidenedKeepsItsWidthAtEveryDpi) {
  HWND list = window().control(超级列表框);
  constexpr int kWidened = 300;  // at the display's DPI
  SendMessageA(list, LVM_SETCOLUMNWIDTH, kColumnPath, kWidened);
  ForEachChange([&](UINT to) {
    EXPECT_NEAR(ColumnWidth(list, kColumnPath), kWidened * static_cast<double>(to) / dpi_, 1.0);
    EXPECT_NEAR(ColumnWidth(list, kColumnName), AtDpi(kColumnWidths100[kColumnName], to), 1.0);
  });
}

}  // namespace
}  // namespace ui::batch
