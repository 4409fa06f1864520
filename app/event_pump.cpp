#include "app/event_pump.h"

#include <windows.h>

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

void PumpIfInputWaiting() {
  if (GetInputState()) ProcessPendingEvents();
}

}  // namespace app
