#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/win_handles.h"

namespace testing_support {

// The real filestamp.exe (next to the test executable), started with arguments and driven
// from this process as a user would drive it. Killed if still running at the end.
class ProgramProcess {
 public:
  explicit ProgramProcess(const std::vector<std::string>& arguments);
  ~ProgramProcess();
  ProgramProcess(const ProgramProcess&) = delete;
  ProgramProcess& operator=(const ProgramProcess&) = delete;

  bool started() const { return process_.valid(); }
  DWORD id() const { return id_; }
  // A visible top-level window of this process with the class name, or null after the time.
  HWND WaitForWindow(const char* className, int timeoutMs = 15000) const;
  // The exit code, or STILL_ACTIVE when it did not end in time.
  DWORD WaitForExit(int timeoutMs = 15000) const;

 private:
  core::UniqueKernelHandle process_;
  DWORD id_ = 0;
};

std::string ProgramPath();
std::string QuoteArgument(const std::string& argument);

// A descendant control of the window with the class, whose top-left corner is at the point
// of the window's client area; null when there is none.
HWND FindControlAt(HWND window, const char* className, int clientX, int clientY);
// The first descendant control with the class.
HWND FindFirstControl(HWND window, const char* className);
// A descendant control with the class and caption.
HWND FindControlByText(HWND window, const char* className, const std::string& text);

// Window text of a window of another process (WM_GETTEXT is carried across processes).
std::string WindowText(HWND window);

// A list view cell of another process: the item buffer must live in that process.
std::string RemoteListViewText(HWND list, int row, int column);
int RemoteListViewRowCount(HWND list);

// A message box (#32770) of the process that is visible, or null after the time.
HWND WaitForMessageBox(DWORD processId, int timeoutMs = 15000);
// Its text (the static with id 0xFFFF).
std::string MessageBoxText(HWND box);
// Presses one of its buttons (IDOK, IDYES, IDNO) and waits until the box is gone.
void AnswerMessageBox(HWND box, int button);

}  // namespace testing_support
