#pragma once

namespace cli {

// The user's wish that a run stop early. set and undo check it between paths, so the path in
// hand is always finished (written and read back) and the journal stays exact.
bool StopRequested();
// What Ctrl+C does; tests raise it through here too.
void RequestStop();
void ClearStopRequest();

// For the lifetime of set's or undo's run: Ctrl+C and Ctrl+Break request a stop instead of
// ending the process at once. Closing the console (or logging off, shutting down) requests
// it too and then holds the system's ending of the process until this object is gone, that
// is, until the path in hand is done and the summary written.
class StopOnConsoleSignal {
 public:
  StopOnConsoleSignal();
  ~StopOnConsoleSignal();
  StopOnConsoleSignal(const StopOnConsoleSignal&) = delete;
  StopOnConsoleSignal& operator=(const StopOnConsoleSignal&) = delete;

 private:
  bool installed_ = false;
};

}  // namespace cli
