#include "cli/stop_request.h"

#include <windows.h>

#include <atomic>

namespace cli {
namespace {

// The handler runs on a thread of its own that the system starts for each signal.
std::atomic<bool> stopRequested{false};

// Set when the run is over; a handler for the close event waits for it. Manual reset, made
// once: the handler may still wait on it while the process ends.
HANDLE RunOver() {
  static const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  return event;
}

BOOL WINAPI OnConsoleSignal(DWORD signal) noexcept {
  RequestStop();
  switch (signal) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      return TRUE;  // handled: the run stops by itself after the path in hand
    default:
      // Close, logoff, shutdown: the process ends when this returns (or after the system's
      // few seconds), so it returns only once the run has finished.
      if (const HANDLE over = RunOver()) WaitForSingleObject(over, INFINITE);
      return TRUE;
  }
}

}  // namespace

bool StopRequested() { return stopRequested.load(); }
void RequestStop() { stopRequested.store(true); }
void ClearStopRequest() { stopRequested.store(false); }

StopOnConsoleSignal::StopOnConsoleSignal() {
  if (const HANDLE over = RunOver()) ResetEvent(over);
  installed_ = SetConsoleCtrlHandler(OnConsoleSignal, TRUE) != FALSE;
}

StopOnConsoleSignal::~StopOnConsoleSignal() {
  if (const HANDLE over = RunOver()) SetEvent(over);
  if (installed_) SetConsoleCtrlHandler(OnConsoleSignal, FALSE);
}

}  // namespace cli
