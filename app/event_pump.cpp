#include "app/event_pump.h"

#include "app/message_loop.h"

namespace app {

void ProcessPendingEvents() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    if (msg.message == WM_QUIT) return;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return;
    DispatchLoopMessage(msg);
  }
}

ULONGLONG PumpClockNow() {
  if (const auto& standIn = ScopedPumpClock::Current()) return standIn();
  return GetTickCount64();
}

}  // namespace app
