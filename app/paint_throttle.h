#pragma once

#include <windows.h>

#include <string>

namespace app {

// The companion of a long loop (adding rows, a batch run) over a list and its status bar,
// called once per item. It keeps the window alive: waiting messages go through when input
// waits and at least every kMaxQuietMs. And it holds back the painting of the two controls the
// loop changes on every item: a visible list view repaints its scroll bar on every new row and
// a status bar repaints on every new text, each costing more than the item's own work. While
// the scope lives they paint only now and then (at most a twentieth of the time, and at least
// every kMinIntervalMs apart), whenever waiting input is handled, and once at the end. The
// progress text is written to the status bar only then too: it changes on every item, but it
// can only be seen when the bar paints.
class PaintThrottle {
 public:
  static constexpr ULONGLONG kMinIntervalMs = 250;
  static constexpr ULONGLONG kTimeShare = 20;  // a paint of d ms waits kTimeShare * d ms

  PaintThrottle(HWND list, HWND statusBar) noexcept;
  ~PaintThrottle();
  PaintThrottle(const PaintThrottle&) = delete;
  PaintThrottle& operator=(const PaintThrottle&) = delete;

  // Once per item: dispatches waiting messages when input waits (painting the held controls
  // first, so the user sees what the input acts on) or when the quiet time is up, and paints
  // the held controls when a paint is due.
  void PumpIfDue();
  // The status bar's text for the item in hand ("adding => path"); it paints when due.
  void ShowProgress(std::string text);

 private:
  void Hold() noexcept;
  void PaintNow() noexcept;

  HWND controls_[2];
  HWND statusBar_;
  std::string progress_;
  ULONGLONG nextPaint_ = 0;
  ULONGLONG lastPump_ = 0;
};

}  // namespace app
