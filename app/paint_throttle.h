#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

namespace app {

// Holds back the painting of controls that a long loop changes on every item: a visible list
// view repaints its scroll bar on every insert and a status bar repaints on every new text,
// each costing more than the item's own work. While the scope lives the controls still change
// on every item but paint only now and then (at most a twentieth of the time, and at least
// every kMinIntervalMs apart), whenever waiting input is handled, and once more at the end.
class PaintThrottle {
 public:
  static constexpr ULONGLONG kMinIntervalMs = 250;
  static constexpr ULONGLONG kTimeShare = 20;  // a paint of d ms waits kTimeShare * d ms

  explicit PaintThrottle(std::initializer_list<HWND> controls) noexcept;
  ~PaintThrottle();
  PaintThrottle(const PaintThrottle&) = delete;
  PaintThrottle& operator=(const PaintThrottle&) = delete;

  // Once per item: the pump rule of long loops (dispatch only when input is waiting), with
  // painting allowed while the events are handled; and a paint when one is due.
  void PumpIfInputWaiting();

 private:
  void Hold() noexcept;
  void PaintNow() noexcept;

  std::vector<HWND> controls_;
  ULONGLONG nextPaint_ = 0;
};

}  // namespace app
