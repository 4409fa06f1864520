#include "tests/support/window_probe.h"

#include "core/file_time_convert.h"

namespace testing_support {

RECT ClientRectIn(HWND control, HWND top) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(HWND_DESKTOP, top, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

StaticColors ColorsChosenFor(HWND control) {
  HDC dc = CreateCompatibleDC(nullptr);
  SetTextColor(dc, kUnset);
  SetBkColor(dc, kUnset);
  const LRESULT brush = SendMessageA(GetParent(control), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(control));
  const StaticColors colors{GetTextColor(dc), GetBkColor(dc), brush != 0};
  DeleteDC(dc);
  return colors;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)); }

core::LocalDateTime LocalNow() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return core::FromSystemTime(now);
}

}  // namespace testing_support
