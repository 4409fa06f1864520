#pragma once

#include <windows.h>

namespace app {

// Hands one message to the active top window's dialog navigation (Tab, access keys), or
// translates and dispatches it.
void DispatchLoopMessage(MSG& msg);

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();

}  // namespace app
