#pragma once

#include <windows.h>

#include <functional>

#include "app/seam.h"

namespace app {

// Dispatches every queued message of this thread through the same path as the main loop,
// until the queue is empty or the quit message is next (it stays queued for the main loop).
void ProcessPendingEvents();

// Long loops let waiting messages through when keyboard or mouse-button input waits, and in
// any case at least this often: Windows replaces a window whose thread has not taken its
// messages for 5 seconds with a "Not Responding" ghost that stops painting and takes clicks.
inline constexpr ULONGLONG kMaxQuietMs = 100;

// The millisecond clock of that rule (GetTickCount64); tests step it through this seam.
using PumpClockFunction = std::function<ULONGLONG()>;
using ScopedPumpClock = Seam<struct PumpClockTag, PumpClockFunction>;
ULONGLONG PumpClockNow();

}  // namespace app
