#pragma once

#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "app/window.h"

namespace testing_support {

// Checking a window against its 96-DPI design at a display scale.

// The DPI the display-scale tests expect, from FILESTAMP_TEST_DPI (their CTest entries run them
// in a Wine prefix at that DPI); 0 where none is named and they skip themselves.
UINT ExpectedTestDpi();

// A length of the design at the DPI, unrounded: what the one-pixel tolerance is measured from.
double AtDpi(int designPixels, UINT dpi);
SIZE IconSize(HICON icon);

// How a control's caption is drawn: alone, right of a check box's glyph, left of a picker's
// arrows; not at all, or the control shows a picture (and has no font).
enum class Caption { kNone, kText, kBesideCheck, kBesideArrows, kPicture };
// A control of a design: where it lies in the window's client area at 100 %.
struct DesignedControl {
  int id;
  int x, y, width, height;
  Caption caption;
};
struct DesignedWindow {
  int outerWidth;  // at 100 %
  int clientHeight;
  std::span<const DesignedControl> controls;
};

// Checks the window at the DPI against its design, within one pixel where a length is scaled:
// every control's place, the client height and the window's width; one font for all controls,
// the 8-point GUI font at the DPI; the window's icons at the DPI's icon sizes; and every caption
// fits its control.
void ExpectLaidOutAt(const app::Window& window, const DesignedWindow& design, UINT dpi);

// Each control's text, tick and enabled state: what the user sees and entered.
std::vector<std::string> ControlStates(const app::Window& window, std::span<const DesignedControl> controls);

// Moves the window through the other DPIs of 100, 150 and 200 % and back to the one it has,
// each time by WM_DPICHANGED with the window's rectangle scaled about its top-left corner as
// the suggestion; checks that the window took the suggested place and width, then runs check.
void ForEachDpiChange(const app::Window& window, UINT dpi, const std::function<void(UINT to)>& check);

}  // namespace testing_support
