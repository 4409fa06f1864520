#pragma once

#include <windows.h>

#include <ostream>
#include <string>

#include "core/local_date_time.h"

namespace core {
// GoogleTest prints times in their display form.
inline void PrintTo(const LocalDateTime& value, std::ostream* out) { *out << FormatLocalDateTime(value); }
}  // namespace core

namespace testing_support {

// Reading and driving real controls the way a user or the system would see them.

// Where a window lies in the client area of another (normally its top-level window).
RECT ClientRectIn(HWND control, HWND top);

// The colours the window chain picks for a control drawn with WM_CTLCOLORSTATIC (labels,
// read-only and disabled edit boxes): the message goes to the control's parent with a memory
// DC, as the control itself sends it before painting. Colours left unset read as kUnset.
struct StaticColors {
  COLORREF text;
  COLORREF background;
  bool brushReturned;
};
inline constexpr COLORREF kUnset = RGB(1, 2, 3);
StaticColors ColorsChosenFor(HWND control);

// Texts, check boxes and pickers are read and set with the program's own helpers
// (app/controls.h); these are what it has none for.
std::string ClassOf(HWND window);
DWORD StyleOf(HWND window);

// The current local time to the second, as a picker shows it.
core::LocalDateTime LocalNow();

}  // namespace testing_support
