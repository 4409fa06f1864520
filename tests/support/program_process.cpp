#include "tests/support/program_process.h"

#include <commctrl.h>

#include <stdexcept>

#include "app/program_folder.h"

namespace testing_support {
namespace {

bool WaitFor(const auto& condition, int timeoutMs) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
  while (!condition()) {
    if (GetTickCount64() > end) return false;
    Sleep(20);
  }
  return true;
}

struct TopWindowSearch {
  DWORD processId;
  const char* className;
  HWND found;
};

BOOL CALLBACK FindTopWindow(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<TopWindowSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (pid == search->processId && IsWindowVisible(hwnd) && lstrcmpA(cls, search->className) == 0) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND FindTopWindowOf(DWORD processId, const char* className) {
  TopWindowSearch search{processId, className, nullptr};
  EnumWindows(FindTopWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct ChildSearch {
  HWND top;
  const char* className;
  POINT at;
  const std::string* text;
  HWND found;
  bool anyPlace = false;
};

BOOL CALLBACK FindChild(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<ChildSearch*>(param);
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (lstrcmpiA(cls, search->className) != 0) return TRUE;
  if (search->anyPlace) {
  } else if (search->text) {
    if (WindowText(hwnd) != *search->text) return TRUE;
  } else {
    RECT rect;
    GetWindowRect(hwnd, &rect);
    POINT corner{rect.left, rect.top};
    ScreenToClient(search->top, &corner);
    if (corner.x != search->at.x || corner.y != search->at.y) return TRUE;
  }
  search->found = hwnd;
  return FALSE;
}

}  // namespace

std::string ProgramPath() { return app::ProgramFolder() + "\\filestamp.exe"; }

std::string QuoteArgument(const std::string& argument) { return "\"" + argument + "\""; }

ProgramProcess::ProgramProcess(const std::vector<std::string>& arguments) {
  std::string commandLine = QuoteArgument(ProgramPath());
  for (const std::string& argument : arguments) commandLine += " " + QuoteArgument(argument);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return;
  CloseHandle(info.hThread);
  process_.reset(info.hProcess);
  id_ = info.dwProcessId;
}

ProgramProcess::~ProgramProcess() {
  if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.get(), 99);
    WaitForSingleObject(process_.get(), 5000);
  }
}

HWND ProgramProcess::WaitForWindow(const char* className, int timeoutMs) const {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindTopWindowOf(id_, className)) != nullptr; }, timeoutMs);
  return found;
}

DWORD ProgramProcess::WaitForExit(int timeoutMs) const {
  if (WaitForSingleObject(process_.get(), static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

HWND FindControlAt(HWND window, const char* className, int clientX, int clientY) {
  ChildSearch search{window, className, {clientX, clientY}, nullptr, nullptr};
  EnumChildWindows(window, FindChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindFirstControl(HWND window, const char* className) {
  ChildSearch search{window, className, {}, nullptr, nullptr, true};
  EnumChildWindows(window, FindChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindControlByText(HWND window, const char* className, const std::string& text) {
  ChildSearch search{window, className, {}, &text, nullptr};
  EnumChildWindows(window, FindChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string WindowText(HWND window) {
  char text[4096] = {};
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                      nullptr);
  return text;
}

int RemoteListViewRowCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string RemoteListViewText(HWND list, int row, int column) {
  DWORD pid = 0;
  GetWindowThreadProcessId(list, &pid);
  core::UniqueKernelHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
  if (!process) throw std::runtime_error("cannot open the program's process");
  constexpr SIZE_T kTextSize = 4096;
  void* remote = VirtualAllocEx(process.get(), nullptr, sizeof(LVITEMA) + kTextSize, MEM_COMMIT, PAGE_READWRITE);
  if (!remote) throw std::runtime_error("cannot allocate in the program's process");
  auto* remoteText = static_cast<char*>(remote) + sizeof(LVITEMA);
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = remoteText;
  item.cchTextMax = static_cast<int>(kTextSize);
  WriteProcessMemory(process.get(), remote, &item, sizeof item, nullptr);
  SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote));
  std::string text(kTextSize, '\0');
  ReadProcessMemory(process.get(), remoteText, text.data(), kTextSize, nullptr);
  VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
  text.resize(text.find('\0'));
  return text;
}

HWND WaitForMessageBox(DWORD processId, int timeoutMs) {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindTopWindowOf(processId, "#32770")) != nullptr; }, timeoutMs);
  return found;
}

std::string MessageBoxText(HWND box) { return WindowText(GetDlgItem(box, 0xFFFF)); }

void AnswerMessageBox(HWND box, int button) {
  PostMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
  WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000);
}

}  // namespace testing_support
