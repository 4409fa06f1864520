#include "tests/support/dpi_probe.h"

#include <cstdlib>
#include <vector>

namespace testing_support {

UINT ExpectedTestDpi() {
  const char* named = std::getenv("FILESTAMP_TEST_DPI");
  return named ? static_cast<UINT>(std::strtoul(named, nullptr, 10)) : 0;
}

double AtDpi(int designPixels, UINT dpi) { return designPixels * static_cast<double>(dpi) / 96.0; }

std::wstring ShownText(HWND control) {
  const int length = GetWindowTextLengthW(control);
  std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
  GetWindowTextW(control, buffer.data(), length + 1);
  std::wstring shown;
  for (const wchar_t* c = buffer.data(); *c; ++c) {
    if (*c == L'&' && c[1] != L'\0') ++c;  // "&&" draws one ampersand, "&V" an underlined V
    shown.push_back(*c);
  }
  return shown;
}

int CaptionWidth(HWND control) {
  const std::wstring text = ShownText(control);
  HDC dc = GetDC(control);
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return size.cx;
}

LONG FontHeightOf(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfHeight;
}

SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return {};
  BITMAP bitmap{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  // A monochrome icon's mask holds the AND and XOR halves one above the other.
  return {bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

RECT SuggestedRect(HWND window, UINT from, UINT to) {
  RECT rect{};
  GetWindowRect(window, &rect);
  const auto scaled = [&](LONG length) { return static_cast<LONG>(length * static_cast<double>(to) / from + 0.5); };
  return {rect.left, rect.top, rect.left + scaled(rect.right - rect.left), rect.top + scaled(rect.bottom - rect.top)};
}

void SendDpiChanged(HWND window, UINT dpi, const RECT& suggested) {
  RECT rect = suggested;
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&rect));
}

}  // namespace testing_support
