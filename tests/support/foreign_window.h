#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/win_handles.h"

namespace testing_support {

// Drives another process's windows as a user would, with messages the system carries across
// processes (texts, check states, clicks). Reads wait at most a few seconds for a busy target.

// A program started with CreateProcess; ended by its handle if it is still running when the
// object goes.
class StartedProgram {
 public:
  // commandLine is the whole line, program name included; folder is its current directory.
  StartedProgram(const std::string& commandLine, const std::string& folder);
  ~StartedProgram();
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;

  DWORD id() const { return id_; }
  HANDLE handle() const { return process_.get(); }
  bool running() const { return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }
  // Waits for the end of the process; its exit code, or nothing when it still runs.
  std::optional<DWORD> WaitForExit(DWORD timeoutMs) const;

 private:
  core::UniqueKernelHandle process_;
  DWORD id_ = 0;
};

// Polls (every 20 ms, while the program runs) until the condition holds; false on timeout or
// when the program has ended.
bool PollWhileRunning(const StartedProgram& program, const std::function<bool()>& condition, DWORD timeoutMs = 10000);

// The visible top-level windows of a process with the given class.
std::vector<HWND> TopWindowsOf(DWORD processId, const std::string& className);
// Every descendant window of a window (controls inside group boxes included).
std::vector<HWND> DescendantsOf(HWND window);
// The descendant of the given class whose top-left corner lies at (x, y) of the window's client area.
HWND ControlAt(HWND window, const std::string& className, int x, int y);

// WM_GETTEXT through the system's cross-process copy.
std::string ForeignText(HWND window);
// BM_GETCHECK.
bool ForeignTicked(HWND checkBox);
// A click, posted, as the button raises it.
void PostClick(HWND button);

// A message box of the process showing this text (its text static has the id 0xFFFF); null
// when none.
HWND MessageBoxWithText(DWORD processId, const std::string& text);

}  // namespace testing_support
