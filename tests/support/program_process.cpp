#include "tests/support/program_process.h"

#include <commctrl.h>

#include <stdexcept>

#include "core/program_folder.h"
#include "core/text_encoding.h"
#include "core/file_time_convert.h"
#include "tests/support/window_probe.h"

namespace testing_support {
namespace {

// Class names compare without regard to case, as the system compares them.
bool SameClass(HWND window, const std::string& className) {
  return lstrcmpiA(ClassOf(window).c_str(), className.c_str()) == 0;
}

struct TopWindowSearch {
  DWORD processId;
  const std::string& className;
  HWND found;
};

BOOL CALLBACK FindTopWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<TopWindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window) || !SameClass(window, search->className)) return TRUE;
  search->found = window;
  return FALSE;
}

struct ControlSearch {
  const std::function<bool(HWND)>& fits;
  HWND found;
};

BOOL CALLBACK FindFittingControl(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<ControlSearch*>(context);
  if (!search->fits(window)) return TRUE;
  search->found = window;
  return FALSE;
}

HWND FindControl(HWND window, const std::function<bool(HWND)>& fits) {
  ControlSearch search{fits, nullptr};
  EnumChildWindows(window, FindFittingControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A block of the program's memory for a message's record, freed when it goes.
class RemoteBlock {
 public:
  RemoteBlock(HWND window, SIZE_T size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    process_.reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (!process_) throw std::runtime_error("cannot open the program's process");
    address_ = static_cast<char*>(VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    if (!address_) throw std::runtime_error("cannot allocate in the program's process");
  }
  ~RemoteBlock() { VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE); }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  char* at(SIZE_T offset) const { return address_ + offset; }
  LPARAM param() const { return reinterpret_cast<LPARAM>(address_); }
  void Write(SIZE_T offset, const void* bytes, SIZE_T size) const {
    WriteProcessMemory(process_.get(), at(offset), bytes, size, nullptr);
  }
  void Read(SIZE_T offset, void* bytes, SIZE_T size) const {
    ReadProcessMemory(process_.get(), at(offset), bytes, size, nullptr);
  }

 private:
  core::UniqueKernelHandle process_;
  char* address_ = nullptr;
};

}  // namespace

std::string ProgramPath() { return core::ProgramFolder() + "\\filestamp.exe"; }

ProgramProcess::ProgramProcess(const std::vector<std::string>& arguments, const std::string& currentFolder) {
  const auto quoted = [](const std::string& text) { return "\"" + text + "\""; };
  std::string commandLine = quoted(ProgramPath());
  for (const std::string& argument : arguments) commandLine += " " + quoted(argument);
  std::wstring line = core::Utf8ToWide(commandLine);
  const std::wstring folder = core::Utf8ToWide(currentFolder);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &info))
    throw std::runtime_error("cannot start " + commandLine + ", error " + std::to_string(GetLastError()));
  CloseHandle(info.hThread);
  process_.reset(info.hProcess);
  id_ = info.dwProcessId;
}

ProgramProcess::~ProgramProcess() {
  if (running()) {
    TerminateProcess(process_.get(), 99);
    WaitForSingleObject(process_.get(), 5000);
  }
}

bool ProgramProcess::PollWhileRunning(const std::function<bool()>& condition, DWORD timeoutMs) const {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() > end) return false;
    // Waiting on the process both paces the poll and notices its end.
    if (WaitForSingleObject(process_.get(), 20) == WAIT_OBJECT_0) return condition();
  }
}

HWND ProgramProcess::TopWindow(const std::string& className) const {
  TopWindowSearch search{id_, className, nullptr};
  EnumWindows(FindTopWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND ProgramProcess::WaitForWindow(const std::string& className, DWORD timeoutMs) const {
  HWND found = nullptr;
  PollWhileRunning([&] { return (found = TopWindow(className)) != nullptr; }, timeoutMs);
  return found;
}

HWND ProgramProcess::WaitForMessageBox(DWORD timeoutMs) const { return WaitForWindow("#32770", timeoutMs); }

bool ProgramProcess::AnswerMessageBox(HWND box, int button) const {
  PostMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
  return PollWhileRunning([&] { return !IsWindow(box) || !IsWindowVisible(box); });
}

std::optional<DWORD> ProgramProcess::WaitForExit(DWORD timeoutMs) const {
  if (WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

HWND FindControlAt(HWND window, const std::string& className, int clientX, int clientY) {
  return FindControl(window, [&](HWND control) {
    const RECT rect = ClientRectIn(control, window);
    return rect.left == clientX && rect.top == clientY && SameClass(control, className);
  });
}

HWND FindFirstControl(HWND window, const std::string& className) {
  return FindControl(window, [&](HWND control) { return SameClass(control, className); });
}

HWND FindControlByText(HWND window, const std::string& className, const std::string& text) {
  return FindControl(window,
                     [&](HWND control) { return SameClass(control, className) && RemoteText(control) == text; });
}

std::string RemoteText(HWND window) {
  char text[4096] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                           &copied))
    return {};
  return std::string(text, copied < sizeof text ? copied : 0);
}

bool RemoteTicked(HWND checkBox) {
  DWORD_PTR state = 0;
  SendMessageTimeoutA(checkBox, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
  return state == BST_CHECKED;
}

std::string MessageBoxText(HWND box) { return RemoteText(GetDlgItem(box, 0xFFFF)); }

int RemoteListViewRowCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string RemoteListViewText(HWND list, int row, int column) {
  constexpr SIZE_T kTextSize = 4096;
  const RemoteBlock block(list, sizeof(LVITEMA) + kTextSize);
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = block.at(sizeof item);
  item.cchTextMax = static_cast<int>(kTextSize);
  block.Write(0, &item, sizeof item);
  SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), block.param());
  std::string text(kTextSize, '\0');
  block.Read(sizeof item, text.data(), kTextSize);
  text.resize(text.find('\0'));
  return text;
}

void SetRemotePickerTime(HWND picker, const core::LocalDateTime& value) {
  const SYSTEMTIME time = core::ToSystemTime(value);
  const RemoteBlock block(picker, sizeof time);
  block.Write(0, &time, sizeof time);
  SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, block.param());
}

}  // namespace testing_support
