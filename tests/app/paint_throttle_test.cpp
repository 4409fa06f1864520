#include "app/paint_throttle.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/event_pump.h"

namespace app {
namespace {

// A hidden window that counts the WM_APP messages it gets.
class PostBox {
 public:
  PostBox() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "FileStampTestPostBox";
    RegisterClassA(&wc);
    hwnd_ = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  }
  ~PostBox() { DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }
  static int received;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == WM_APP) ++received;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  HWND hwnd_;
};
int PostBox::received = 0;

// Without any input the loop still takes its messages at least every 100 ms of work (so
// Windows never ghosts the window), but not on every quick item.
TEST(PaintThrottle, LetsWaitingMessagesThroughAtLeastEvery100MsOfWorkWithoutInput) {
  const struct {
    ULONGLONG msPerItem;
    int itemsUntilDispatched;
  } cases[] = {{30, 4}, {10, 10}, {100, 1}, {250, 1}};
  PostBox box;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.msPerItem);
    ULONGLONG now = 5000;
    ScopedPumpClock clock([&] { return now; });
    PaintThrottle throttle(nullptr, nullptr);
    PostBox::received = 0;
    PostMessageA(box.hwnd(), WM_APP, 0, 0);
    int items = 0;
    while (PostBox::received == 0 && items < 100) {
      now += c.msPerItem;
      throttle.PumpIfDue();
      ++items;
    }
    EXPECT_EQ(items, c.itemsUntilDispatched);
  }
}

// A hidden window standing in for a held control: notes the pump clock's time whenever its
// painting is let go again.
class PaintLog {
 public:
  PaintLog() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "FileStampTestPaintLog";
    RegisterClassA(&wc);
    hwnd_ = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
  }
  ~PaintLog() { DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }
  static std::vector<ULONGLONG> paints;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == WM_SETREDRAW && wParam) paints.push_back(PumpClockNow());
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  HWND hwnd_;
};
std::vector<ULONGLONG> PaintLog::paints;

// A quick paint still waits the floor: the wait is the larger of the floor and the paint's
// share, or a cheap control would repaint on almost every item.
TEST(PaintThrottle, PaintsNoOftenerThanTheFloorHoweverCheapThePaint) {
  PaintLog list;
  ULONGLONG now = 5000;
  const ScopedPumpClock clock([&] { return now; });
  std::vector<ULONGLONG> paints;
  {
    PaintThrottle throttle(list.hwnd(), nullptr);
    PaintLog::paints.clear();
    for (int item = 0; item < 200; ++item) {
      now += 10;
      throttle.PumpIfDue();
      throttle.ShowProgress("item");
    }
    paints = PaintLog::paints;  // the closing paint aside
  }
  ASSERT_GE(paints.size(), 2u);
  for (std::size_t i = 1; i < paints.size(); ++i) EXPECT_GE(paints[i] - paints[i - 1], PaintThrottle::kMinIntervalMs);
}

}  // namespace
}  // namespace app
