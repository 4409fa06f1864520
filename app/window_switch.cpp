#include "app/window_switch.h"

#include "app/event_pump.h"

namespace app {
namespace {

struct SwitchState {
  BatchWindowLink batch;
  HWND mainWindow = nullptr;
  bool quitRule = false;
  int topWindows = 0;
};

SwitchState& State() {
  static SwitchState state;
  return state;
}

}  // namespace

void ConnectBatchWindow(BatchWindowLink link) { State().batch = std::move(link); }
void ConnectMainWindow(HWND mainWindow) { State().mainWindow = mainWindow; }

bool IsBatchWindowOpen() { return State().batch.isOpen && State().batch.isOpen(); }

void SwitchToBatchWindow() {
  if (State().mainWindow) ShowWindow(State().mainWindow, SW_HIDE);
  if (!State().batch.open || !State().batch.open()) ReturnToMainWindow();
}

void HandPathsToBatchWindow(std::vector<std::string> paths) {
  if (!IsBatchWindowOpen()) {
    SwitchToBatchWindow();
    ProcessPendingEvents();
  }
  if (IsBatchWindowOpen() && State().batch.addPaths) State().batch.addPaths(std::move(paths));
}

void ReturnToMainWindow() {
  HWND main = State().mainWindow;
  if (!main || !IsWindow(main)) return;
  ShowWindow(main, SW_SHOW);
  SetForegroundWindow(main);
  SetActiveWindow(main);
}

void EnableQuitWhenLastWindowCloses() { State().quitRule = true; }

void TopWindowCreated() { ++State().topWindows; }

void TopWindowDestroyed() {
  if (--State().topWindows == 0 && State().quitRule) PostQuitMessage(0);
}

}  // namespace app
