#include "app/message_loop.h"

namespace app {

void DispatchLoopMessage(MSG& msg) {
  // IsDialogMessage gives plain windows Tab, Shift+Tab and Alt+letter among their controls.
  HWND top = GetAncestor(msg.hwnd, GA_ROOT);
  if (top && IsDialogMessageA(top, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

int RunMessageLoop() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchLoopMessage(msg);
  return static_cast<int>(msg.wParam);
}

}  // namespace app
