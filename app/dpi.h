#pragma once

#include <windows.h>

#include "app/ui_handles.h"

// Per-monitor DPI: the window designs are in pixels at 100 % (96 DPI) and every window builds
// them at its own DPI with the one rule here.
namespace app {

inline constexpr UINT kDesignDpi = USER_DEFAULT_SCREEN_DPI;

// The one rounding rule from pixels at one DPI to pixels at another. MulDiv rounds halves
// away from zero, so a negative position scales like the positive one.
inline int Rescale(int pixels, UINT from, UINT to) noexcept {
  return MulDiv(pixels, static_cast<int>(to), static_cast<int>(from));
}
// Design pixels at the DPI.
inline int Scale(int designPixels, UINT dpi) noexcept { return Rescale(designPixels, kDesignDpi, dpi); }

// The DPI the window is shown at; the design DPI when the system cannot say.
UINT DpiOf(HWND window) noexcept;
// The system's DPI, the one the stock objects are made at.
UINT SystemDpi() noexcept;
// A system metric (GetSystemMetrics' SM_ index) as it is at the DPI.
int MetricAt(int index, UINT dpi) noexcept;

// The program's one GUI font at a DPI. The stock GUI font is made at the system's DPI: where
// it already has the height the rule gives, it is used as it is (at 100 % on a 100 % system
// that is the font the controls have always had); anywhere else the window owns a copy at the
// scaled height.
class GuiFont {
 public:
  explicit GuiFont(UINT dpi);
  HFONT get() const noexcept { return font_; }

 private:
  UniqueGdiObject own_;
  HFONT font_ = nullptr;
};

// A resource icon at the size a metric pair (SM_CXICON and SM_CYICON, or SM_CXSMICON and
// SM_CYSMICON) has at the DPI; null when the resource cannot be loaded.
UniqueIcon LoadIconAt(int resource, int metricX, int metricY, UINT dpi);

}  // namespace app
