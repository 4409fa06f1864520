#include "app/paint_throttle.h"

#include <algorithm>

#include "app/controls.h"
#include "app/event_pump.h"

namespace app {

PaintThrottle::PaintThrottle(HWND list, HWND statusBar) noexcept
    : controls_{list, statusBar},
      statusBar_(statusBar),
      nextPaint_(PumpClockNow() + kMinIntervalMs),
      lastPump_(PumpClockNow()) {
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
// What a paint costs is measured on the real clock; when the next one is due, on the pump's.
void PaintThrottle::PaintNow() noexcept {
  const ULONGLONG start = GetTickCount64();
  if (!progress_.empty() && IsWindow(statusBar_)) {
    try {
      SbSetText(statusBar_, progress_);
    } catch (...) {
      // Out of memory for a progress text: the bar keeps the previous one.
    }
    progress_.clear();
  }
  for (HWND control : controls_) {
    if (!IsWindow(control)) continue;
    SendMessageA(control, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  const ULONGLONG cost = GetTickCount64() - start;
  nextPaint_ = PumpClockNow() + std::max(kMinIntervalMs, kTimeShare * cost);
}

void PaintThrottle::ShowProgress(std::string text) {
  progress_ = std::move(text);
  if (PumpClockNow() >= nextPaint_) {
    PaintNow();
    Hold();
  }
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
