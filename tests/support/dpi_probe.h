#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

// Reading a window the way a display scale shows it.

// The DPI the display-scale tests expect, from FILESTAMP_TEST_DPI (their CTest entries run them
// in a Wine prefix at that DPI); 0 where no DPI is named and the tests skip themselves.
UINT ExpectedTestDpi();

// A length of a 96-DPI design at the DPI, unrounded: what the one-pixel tolerance is measured
// from.
double AtDpi(int designPixels, UINT dpi);

// How wide the control's caption is drawn in the control's own font (access-key ampersands
// are not drawn).
int CaptionWidth(HWND control);
// The text a control shows: its window text, without access-key ampersands.
std::wstring ShownText(HWND control);
// The height (lfHeight) of the font the control draws with.
LONG FontHeightOf(HWND control);
// The size of an icon's image.
SIZE IconSize(HICON icon);

// The window's rectangle about its top-left corner, scaled from one DPI to another, as the
// system suggests it when the window moves to a monitor of another DPI.
RECT SuggestedRect(HWND window, UINT from, UINT to);
// WM_DPICHANGED as the system sends it.
void SendDpiChanged(HWND window, UINT dpi, const RECT& suggested);

}  // namespace testing_support
