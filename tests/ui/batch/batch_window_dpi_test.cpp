// The batch window at a display scale: laid out at the scale's multiple of its 100 % design,
// status bar, columns and icons included, and again after WM_DPICHANGED with the rows, their
// icons, the selection and the settings kept. These run in the CTest entries that name a DPI
// and skip themselves elsewhere.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "app/controls.h"
#include "tests/support/batch_window_driver.h"
#include "tests/support/dpi_probe.h"
#include "tests/support/message_recorder.h"
#include "tests/support/temp_folder.h"
#include "ui/batch/batch_design.h"

namespace ui::batch {
namespace {

using testing_support::AtDpi;
using testing_support::Caption;
using testing_support::DesignedControl;
using testing_support::IconSize;

// Every control with its place in the client area at 100 % (the group box's included).
constexpr DesignedControl kControls[] = {
    {分组框, 5, 5, 565, 83, Caption::kText},
    {标签_创建时间, 16, 27, 56, 16, Caption::kText},
    {日期框_创建时间, 76, 25, 145, 22, Caption::kBesideArrows},
    {标签_修改时间, 251, 27, 56, 16, Caption::kText},
    {日期框_修改时间, 312, 25, 145, 22, Caption::kBesideArrows},
    {标签_访问时间, 16, 58, 56, 16, Caption::kText},
    {日期框_访问时间, 76, 56, 145, 22, Caption::kBesideArrows},
    {选择框_只读, 251, 59, 46, 16, Caption::kBesideCheck},
    {选择框_存档, 306, 59, 46, 16, Caption::kBesideCheck},
    {选择框_隐藏, 360, 59, 46, 16, Caption::kBesideCheck},
    {选择框_系统, 415, 59, 46, 16, Caption::kBesideCheck},
    {按钮_浏览文件夹, 480, 24, 80, 23, Caption::kText},
    {按钮_批量修改, 480, 54, 80, 23, Caption::kText},
    {超级列表框, 5, 94, 565, 252, Caption::kNone},
};
constexpr testing_support::DesignedWindow kDesign{581, 371, kControls};
constexpr int kStatusBarHeight100 = 20;
constexpr int kSmallIcon100 = 16;
constexpr int kColumnWidths100[] = {135, 60, 95, 210, 40};

int ColumnWidth(HWND list, int column) {
  return static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

// What the batch window has beyond the design table: a status bar along the bottom edge, the
// list's columns (but the one the user set) and the small icons of the bar and the rows.
void ExpectBatchPartsAt(const BatchWindow& window, UINT dpi, int userColumn = -1) {
  RECT client{}, status{};
  GetClientRect(window.hwnd(), &client);
  GetWindowRect(window.control(状态条), &status);
  MapWindowPoints(HWND_DESKTOP, window.hwnd(), reinterpret_cast<POINT*>(&status), 2);
  EXPECT_EQ(status.left, 0);
  EXPECT_EQ(status.right, client.right);
  EXPECT_EQ(status.bottom, client.bottom);
  EXPECT_NEAR(status.bottom - status.top, AtDpi(kStatusBarHeight100, dpi), 1.0) << "status bar";
  for (int column = 0; column < static_cast<int>(std::size(kColumnWidths100)); ++column) {
    if (column == userColumn) continue;
    EXPECT_NEAR(ColumnWidth(window.control(超级列表框), column), AtDpi(kColumnWidths100[column], dpi), 1.0)
        << "column " << column;
  }
  const SIZE statusIcon = IconSize(reinterpret_cast<HICON>(SendMessageA(window.control(状态条), SB_GETICON, 0, 0)));
  int rowIcon = 0, rowIconHeight = 0;
  ImageList_GetIconSize(window.images(), &rowIcon, &rowIconHeight);
  for (const int size : {static_cast<int>(statusIcon.cx), static_cast<int>(statusIcon.cy), rowIcon, rowIconHeight})
    EXPECT_NEAR(size, AtDpi(kSmallIcon100, dpi), 0.5) << "status bar and row icons";
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(window.control(超级列表框), LVM_GETIMAGELIST, LVSIL_SMALL, 0)),
            window.images());
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

TEST_F(BatchWindowAtScale, IsLaidOutAtTheScaleOfItsDisplay) {
  EXPECT_EQ(GetDpiForWindow(window().hwnd()), dpi_);
  testing_support::ExpectLaidOutAt(window(), kDesign, dpi_);
  ExpectBatchPartsAt(window(), dpi_);
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

// Every row's cells, image index and selection; every setting's text, tick and enabled state.
std::vector<std::string> Shown(const BatchWindow& window) {
  HWND list = window.control(超级列表框);
  std::vector<std::string> shown;
  for (int row = 0; row < app::LvRowCount(list); ++row) {
    std::string line = std::to_string(app::LvImage(list, row)) + (app::LvIsSelected(list, row) ? " selected" : "");
    for (int column = 0; column < static_cast<int>(std::size(kColumnWidths100)); ++column)
      line += " | " + app::LvGetText(list, row, column);
    shown.push_back(line);
  }
  for (const std::string& state : testing_support::ControlStates(window, kControls)) shown.push_back(state);
  shown.push_back(app::SbGetText(window.control(状态条)));
  return shown;
}

TEST_F(BatchWindowAtScale, DpiChangeLaysOutAtTheNewDpiAndKeepsRowsIconsSelectionAndSettings) {
  const std::string folder = temp_.MakeFolder("A");
  temp_.MakeFolder("A\\B");
  temp_.MakeFile("A\\f.txt");
  temp_.MakeFile("A\\g.md");
  window().AddPaths({folder});
  driver_->SelectRows({1, 3});
  driver_->PressLabel(标签_修改时间);  // switches its picker off
  driver_->Tick(选择框_存档);
  HWND list = window().control(超级列表框);
  constexpr int kWidened = 300;  // a width the user gave the path column, at the display's DPI
  SendMessageA(list, LVM_SETCOLUMNWIDTH, kColumnPath, kWidened);
  const std::vector<std::string> before = Shown(window());
  ASSERT_EQ(driver_->RowCount(), 4);
  ASSERT_FALSE(IsWindowEnabled(window().control(日期框_修改时间)));
  const int images = ImageList_GetImageCount(window().images());
  std::vector<std::vector<COLORREF>> pictures;
  for (int row = 0; row < 4; ++row) pictures.push_back(Pixels(window().images(), app::LvImage(list, row)));
  ASSERT_NE(pictures[0], pictures[2]) << "a folder's and a file's icons tell apart";

  testing_support::ForEachDpiChange(window(), dpi_, [&](UINT to) {
    testing_support::ExpectLaidOutAt(window(), kDesign, to);
    ExpectBatchPartsAt(window(), to, kColumnPath);
    EXPECT_NEAR(ColumnWidth(list, kColumnPath), kWidened * static_cast<double>(to) / dpi_, 1.0);
    EXPECT_EQ(Shown(window()), before);
    EXPECT_EQ(ImageList_GetImageCount(window().images()), images);
    // Back at the display's DPI, each row's index names its own picture again, as it was.
    if (to != dpi_) return;
    for (int row = 0; row < 4; ++row)
      EXPECT_EQ(Pixels(window().images(), app::LvImage(list, row)), pictures[row]) << "row " << row;
  });
}

}  // namespace
}  // namespace ui::batch
