#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

namespace app {

// The companion of a long loop (adding rows, a batch run), called once per item. It keeps the
// window alive: waiting messages go through when input waits and at least every kMaxQuietMs.
// And it holds back the painting of controls the loop changes on every item: a visible list
// view repaints its scroll bar on every insert and a status bar repaints on every new text,
// each costing more than the item's own work. While the scope lives those controls still
// change on every item but paint only now and then (at most a twentieth of the time, and at
// least every kMinIntervalMs apart), whenever waiting input is handled, and once at the end.
class PaintThrottle {
 public:
  static constexpr ULONGLONG kMinIntervalMs = 250;
  static constexpr ULONGLONG kTimeShare = 20;  // a paint of d ms waits kTimeShare * d ms

  explicit PaintThrottle(std::initializer_list<HWND> controls) noexcept;
  ~PaintThrottle();
  PaintThrottle(const PaintThrottle&) = delete;
  PaintThrottle& operator=(const PaintThrottle&) = delete;

  // Once per item: dispatches waiting messages when input waits (painting the held controls
  // first, so the user sees what the input acts on) or when the quiet time is up, and paints
  // the held controls when a paint is due.
  void PumpIfDue();

 private:
  void Hold() noexcept;
  void PaintNow() noexcept;

  std::vector<HWND> controls_;
  ULONGLONG nextPaint_ = 0;
  ULONGLONG lastPump_ = 0;
};

}  // namespace app
