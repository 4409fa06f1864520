#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/local_date_time.h"
#include "core/win_handles.h"

namespace testing_support {

// The real program driven from this process as a user or another program would drive it:
// its windows are found by class and place, and read and worked with messages that cross
// processes. Every wait polls every 20 ms and gives up after the time or when the program ends.

inline constexpr DWORD kProgramWaitMs = 15000;

// filestamp.exe, next to the test executable.
std::string ProgramPath();

// The program started with arguments (each quoted on its command line), in the given current
// folder (empty: this process's). Throws when it cannot start; ended if it still runs when
// the object goes.
class ProgramProcess {
 public:
  explicit ProgramProcess(const std::vector<std::string>& arguments, const std::string& currentFolder = "");
  ~ProgramProcess();
  ProgramProcess(const ProgramProcess&) = delete;
  ProgramProcess& operator=(const ProgramProcess&) = delete;

  DWORD id() const { return id_; }
  bool running() const { return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

  // Polls until the condition holds; false on timeout or when the program has ended.
  bool PollWhileRunning(const std::function<bool()>& condition, DWORD timeoutMs = kProgramWaitMs) const;

  // A visible top-level window of the program with the class: now, or once it shows (null
  // after the time).
  HWND TopWindow(const std::string& className) const;
  HWND WaitForWindow(const std::string& className, DWORD timeoutMs = kProgramWaitMs) const;
  // A visible message box (#32770) of the program, or null after the time.
  HWND WaitForMessageBox(DWORD timeoutMs = kProgramWaitMs) const;
  // Presses one of the box's buttons (IDOK, IDYES, IDNO); true once the box is gone.
  bool AnswerMessageBox(HWND box, int button) const;

  // The exit code, or nothing when the program still runs after the time.
  std::optional<DWORD> WaitForExit(DWORD timeoutMs = kProgramWaitMs) const;

 private:
  core::UniqueKernelHandle process_;
  DWORD id_ = 0;
};

// Descendant controls of a window (controls inside group boxes included) with a class: the one
// whose top-left corner lies at the point of the window's client area, the first one, or the
// one with the caption. Null when there is none.
HWND FindControlAt(HWND window, const std::string& className, int clientX, int clientY);
HWND FindFirstControl(HWND window, const std::string& className);
HWND FindControlByText(HWND window, const std::string& className, const std::string& text);

// WM_GETTEXT, which the system copies across processes.
std::string RemoteText(HWND window);
// BM_GETCHECK.
bool RemoteTicked(HWND checkBox);
// A message box's text (its static with the id 0xFFFF).
std::string MessageBoxText(HWND box);

// List view and picker messages that carry a pointer are not copied across processes: their
// records are placed in the program's memory.
int RemoteListViewRowCount(HWND list);
std::string RemoteListViewText(HWND list, int row, int column);
void SetRemotePickerTime(HWND picker, const core::LocalDateTime& value);

}  // namespace testing_support
