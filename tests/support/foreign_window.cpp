#include "tests/support/foreign_window.h"

#include <stdexcept>

#include "app/text_encoding.h"
#include "tests/support/window_probe.h"

namespace testing_support {

StartedProgram::StartedProgram(const std::string& commandLine, const std::string& folder) {
  std::wstring line = app::Utf8ToWide(commandLine);
  const std::wstring directory = app::Utf8ToWide(folder);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      directory.empty() ? nullptr : directory.c_str(), &startup, &info))
    throw std::runtime_error("cannot start " + commandLine + ", error " + std::to_string(GetLastError()));
  CloseHandle(info.hThread);
  process_.reset(info.hProcess);
  id_ = info.dwProcessId;
}

StartedProgram::~StartedProgram() {
  if (running()) {
    TerminateProcess(process_.get(), 99);
    WaitForSingleObject(process_.get(), 5000);
  }
}

std::optional<DWORD> StartedProgram::WaitForExit(DWORD timeoutMs) const {
  if (WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

bool PollWhileRunning(const StartedProgram& program, const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() > end) return false;
    // Waiting on the process both paces the poll and notices its end.
    if (WaitForSingleObject(program.handle(), 20) == WAIT_OBJECT_0) return condition();
  }
}

namespace {

struct TopWindowSearch {
  DWORD processId;
  std::string className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<TopWindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && IsWindowVisible(window) && ClassOf(window) == search->className)
    search->found.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM context) {
  reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopWindowsOf(DWORD processId, const std::string& className) {
  TopWindowSearch search{processId, className, {}};
  EnumWindows(CollectTopWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> DescendantsOf(HWND window) {
  std::vector<HWND> all;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&all));
  return all;
}

HWND ControlAt(HWND window, const std::string& className, int x, int y) {
  for (HWND control : DescendantsOf(window)) {
    if (ClassOf(control) != className) continue;
    const RECT rect = ClientRectIn(control, window);
    if (rect.left == x && rect.top == y) return control;
  }
  return nullptr;
}

std::string ForeignText(HWND window) {
  char text[4096] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                           &copied))
    return {};
  return std::string(text, copied < sizeof text ? copied : 0);
}

bool ForeignTicked(HWND checkBox) {
  DWORD_PTR state = 0;
  SendMessageTimeoutA(checkBox, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
  return state == BST_CHECKED;
}

void PostClick(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

HWND MessageBoxWithText(DWORD processId, const std::string& text) {
  for (HWND box : TopWindowsOf(processId, "#32770")) {
    HWND label = GetDlgItem(box, 0xFFFF);
    if (label && ForeignText(label) == text) return box;
  }
  return nullptr;
}

}  // namespace testing_support
