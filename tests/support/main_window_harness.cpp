#include "tests/support/main_window_harness.h"

#include <stdexcept>

#include "app/window_switch.h"
#include "tests/support/file_state.h"
#include "tests/support/message_recorder.h"

namespace testing_support {

MainWindowHarness::MainWindowHarness(const std::string& arguments)
    : window_("\"C:\\filestamp\\filestamp.exe\" " + arguments) {
  if (!window_.Create()) throw std::runtime_error("main window not created");
  app::ConnectMainWindow(window_.hwnd());
}

MainWindowHarness::~MainWindowHarness() {
  app::ConnectMainWindow(nullptr);
  if (window_.hwnd()) DestroyWindow(window_.hwnd());
  PumpPending();
}

void MainWindowHarness::ShowAndSettle() {
  window_.Show();
  // The first activation posts the taking of the command line; dispatching everything queued
  // after the window became active runs it. Showing normally activates at once; the taking
  // itself may hide the window again (a hand-over to the batch window).
  const auto active = [&] { return GetActiveWindow() == window_.hwnd(); };
  if (!active() && !PumpUntil(active)) throw std::runtime_error("main window never became active");
  PumpPending();
}

void MainWindowHarness::Click(int id) const {
  SendMessageA(window_.control(id), BM_CLICK, 0, 0);
  PumpPending();
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

FILETIME KnownCreation() { return UtcTime(2011, 3, 4, 5, 6, 7, 1'000'000); }
FILETIME KnownAccess() { return UtcTime(2013, 7, 8, 9, 10, 11, 3'000'000); }
FILETIME KnownWrite() { return UtcTime(2012, 5, 6, 7, 8, 9, 5'000'000); }

std::string MakeStampedFile(const TempFolder& folder, const std::string& name, const std::string& content,
                            DWORD attributes) {
  const std::string path = folder.MakeFile(name, content);
  const FILETIME creation = KnownCreation(), access = KnownAccess(), write = KnownWrite();
  SetPathTimes(path, &creation, &access, &write);
  SetPathAttributes(path, attributes);
  return path;
}

bool KeepsCreationTime(const TempFolder& folder) {
  const std::string probe = folder.MakeFile("creation time probe");
  const FILETIME creation = UtcTime(2009, 1, 2, 3, 4, 5);
  SetPathTimes(probe, &creation, nullptr, nullptr);
  const bool kept = ReadPathState(probe).creation == Ticks(creation);
  RemoveTree(probe);
  return kept;
}

}  // namespace testing_support
