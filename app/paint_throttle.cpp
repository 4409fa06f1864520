#include "app/paint_throttle.h"

#include <algorithm>

#include "app/event_pump.h"

namespace app {

PaintThrottle::PaintThrottle(std::initializer_list<HWND> controls) noexcept
    : controls_(controls), nextPaint_(PumpClockNow() + kMinIntervalMs), lastPump_(PumpClockNow()) {
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
  const ULONGLONG start = PumpClockNow();
  for (HWND control : controls_) {
    if (!IsWindow(control)) continue;
    SendMessageA(control, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  const ULONGLONG end = PumpClockNow();
  nextPaint_ = end + std::max(kMinIntervalMs, kTimeShare * (end - start));
}

void PaintThrottle::PumpIfDue() {
  const ULONGLONG now = PumpClockNow();
  if (GetInputState()) {
    PaintNow();
    ProcessPendingEvents();
    Hold();
    lastPump_ = now;
    return;
  }
  // Taking the messages is what Windows watches; the held controls keep their own pace.
  if (now - lastPump_ >= kMaxQuietMs) {
    ProcessPendingEvents();
    lastPump_ = now;
  }
  if (now >= nextPaint_) {
    PaintNow();
    Hold();
  }
}

}  // namespace app
