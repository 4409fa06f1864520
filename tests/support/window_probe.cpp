#include "tests/support/window_probe.h"

#include <commctrl.h>

#include "app/controls.h"

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

core::LocalDateTime PickerTime(HWND picker) {
  SYSTEMTIME st{};
  SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
  return core::LocalDateTime::FromFields(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
}

void SetPickerTime(HWND picker, const core::LocalDateTime& value) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(value.year);
  st.wMonth = static_cast<WORD>(value.month);
  st.wDay = static_cast<WORD>(value.day);
  st.wHour = static_cast<WORD>(value.hour);
  st.wMinute = static_cast<WORD>(value.minute);
  st.wSecond = static_cast<WORD>(value.second);
  SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

std::string TextOf(HWND window) { return app::GetText(window); }

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

bool IsTicked(HWND checkBox) { return SendMessageA(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED; }

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)); }

core::LocalDateTime LocalNow() {
  SYSTEMTIME st{};
  GetLocalTime(&st);
  return core::LocalDateTime::FromFields(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
}

}  // namespace testing_support
