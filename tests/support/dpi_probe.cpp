#include "tests/support/dpi_probe.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include "app/controls.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace testing_support {
namespace {

constexpr UINT kDpis[] = {96, 144, 192};
// The GUI font is 8 points; the system's icons are 32 and 16 pixels at 100 %.
constexpr int kGuiFontPoints = 8;
constexpr int kBigIcon100 = 32;
constexpr int kSmallIcon100 = 16;

int WidthOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect.right - rect.left;
}

// How wide the control's text is drawn in its own font; access-key ampersands are not drawn.
int TextWidth(HWND control) {
  std::vector<wchar_t> text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1);
  GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
  std::wstring shown;
  for (const wchar_t* c = text.data(); *c; ++c) {
    if (*c == L'&' && c[1] != L'\0') ++c;
    shown.push_back(*c);
  }
  HDC dc = GetDC(control);
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return size.cx;
}

int NeededWidth(HWND control, Caption caption, UINT dpi) {
  switch (caption) {
    case Caption::kNone:
    case Caption::kPicture:
      return 0;
    case Caption::kText:
      return TextWidth(control);
    case Caption::kBesideCheck:
      return TextWidth(control) + GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi);
    case Caption::kBesideArrows:
      return TextWidth(control) + WidthOf(FindWindowExA(control, nullptr, UPDOWN_CLASSA, nullptr));
  }
  return 0;
}

}  // namespace

UINT ExpectedTestDpi() {
  const char* named = std::getenv("FILESTAMP_TEST_DPI");
  return named ? static_cast<UINT>(std::strtoul(named, nullptr, 10)) : 0;
}

double AtDpi(int designPixels, UINT dpi) { return designPixels * static_cast<double>(dpi) / 96.0; }

SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return {};
  BITMAP bitmap{};
  GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return {bitmap.bmWidth, bitmap.bmHeight};
}

void ExpectLaidOutAt(const app::Window& top, const DesignedWindow& design, UINT dpi) {
  HWND window = top.hwnd();
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_NEAR(client.bottom, AtDpi(design.clientHeight, dpi), 1.0) << "client height";
  EXPECT_NEAR(WidthOf(window), AtDpi(design.outerWidth, dpi), 1.0) << "window width";

  // The first text control's font, which every other one must share.
  const auto text = std::find_if(design.controls.begin(), design.controls.end(),
                                 [](const DesignedControl& c) { return c.caption != Caption::kPicture; });
  const LRESULT font = SendMessageA(top.control(text->id), WM_GETFONT, 0, 0);
  LOGFONTW shown{};
  GetObjectW(reinterpret_cast<HGDIOBJ>(font), sizeof shown, &shown);
  EXPECT_NEAR(shown.lfHeight, -kGuiFontPoints * static_cast<double>(dpi) / 72, 1.0) << "font height";

  for (const DesignedControl& designed : design.controls) {
    SCOPED_TRACE(testing::Message() << "control " << designed.id);
    HWND control = top.control(designed.id);
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_NEAR(rect.left, AtDpi(designed.x, dpi), 1.0);
    EXPECT_NEAR(rect.top, AtDpi(designed.y, dpi), 1.0);
    EXPECT_NEAR(rect.right - rect.left, AtDpi(designed.width, dpi), 1.0);
    EXPECT_NEAR(rect.bottom - rect.top, AtDpi(designed.height, dpi), 1.0);
    if (designed.caption != Caption::kPicture) {
      EXPECT_EQ(SendMessageA(control, WM_GETFONT, 0, 0), font);
    }
    RECT inside{};
    GetClientRect(control, &inside);
    EXPECT_LE(NeededWidth(control, designed.caption, dpi), inside.right) << "caption cut off";
  }

  for (const auto& [which, size100] : {std::pair{ICON_BIG, kBigIcon100}, std::pair{ICON_SMALL, kSmallIcon100}}) {
    const SIZE size = IconSize(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, which, 0)));
    EXPECT_NEAR(size.cx, AtDpi(size100, dpi), 0.5) << "window icon " << which;
    EXPECT_NEAR(size.cy, AtDpi(size100, dpi), 0.5) << "window icon " << which;
  }
}

std::vector<std::string> ControlStates(const app::Window& window, std::span<const DesignedControl> controls) {
  std::vector<std::string> states;
  for (const DesignedControl& designed : controls) {
    HWND control = window.control(designed.id);
    states.push_back(app::GetText(control) + (app::IsChecked(control) ? " ticked" : "") +
                     (IsWindowEnabled(control) ? "" : " disabled"));
  }
  return states;
}

void ForEachDpiChange(const app::Window& top, UINT dpi, const std::function<void(UINT to)>& check) {
  HWND window = top.hwnd();
  std::vector<UINT> steps;
  for (UINT other : kDpis)
    if (other != dpi) steps.push_back(other);
  steps.push_back(dpi);
  UINT from = dpi;
  for (UINT to : steps) {
    SCOPED_TRACE(testing::Message() << from << " -> " << to << " DPI");
    RECT now{};
    GetWindowRect(window, &now);
    const auto scaled = [&](LONG length) { return static_cast<LONG>(length * static_cast<double>(to) / from + 0.5); };
    RECT suggested{now.left, now.top, now.left + scaled(now.right - now.left), now.top + scaled(now.bottom - now.top)};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
    RECT taken{};
    GetWindowRect(window, &taken);
    EXPECT_EQ(taken.left, suggested.left);
    EXPECT_EQ(taken.top, suggested.top);
    EXPECT_EQ(taken.right, suggested.right);
    check(to);
    from = to;
  }
}

}  // namespace testing_support
