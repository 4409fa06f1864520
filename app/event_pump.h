#pragma once

namespace app {

// Dispatches every queued message of this thread through the same path as the main loop,
// until the queue is empty or the quit message is next (it stays queued for the main loop).
void ProcessPendingEvents();

// The rule for long loops: dispatch only when keyboard or mouse-button input is waiting, so
// a loop without user activity pays one cheap query per item.
void PumpIfInputWaiting();

}  // namespace app
