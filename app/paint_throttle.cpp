#include "app/paint_throttle.h"

#include <algorithm>

#include "app/event_pump.h"

namespace app {

PaintThrottle::PaintThrottle(std::initializer_list<HWND> controls) noexcept
    : controls_(controls), nextPaint_(GetTickCount64() + kMinIntervalMs) {
  Hold();
}

PaintThrottle::~PaintThrottle() { PaintNow(); }

// WM_SETREDRAW is the documented way to stop a control repainting while many items change:
// https://learn.microsoft.com/windows/win32/gdi/wm-setredraw
void PaintThrottle::Hold() noexcept {
  for (HWND control : controls_) {
    if (IsWindow(control)) SendMessageA(control, WM_SETREDRAW, FALSE, 0);
  }
}

// Turning redraw back on repaints nothing by itself; the frame holds the scroll bars.
void PaintThrottle::PaintNow() noexcept {
  const ULONGLONG start = GetTickCount64();
  for (HWND control : controls_) {
    if (!IsWindow(control)) continue;
    SendMessageA(control, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  const ULONGLONG end = GetTickCount64();
  nextPaint_ = end + std::max(kMinIntervalMs, kTimeShare * (end - start));
}

void PaintThrottle::PumpIfInputWaiting() {
  if (GetInputState()) {
    PaintNow();
    ProcessPendingEvents();
    Hold();
  } else if (GetTickCount64() >= nextPaint_) {
    PaintNow();
    Hold();
  }
}

}  // namespace app
