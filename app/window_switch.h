#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The hand-over between the main window and the batch window, which never include each
// other: start-up (or a test) connects them here.
namespace app {

struct BatchWindowLink {
  std::function<bool()> isOpen;
  std::function<bool()> open;  // creates and shows a new batch window; false when it cannot
  std::function<void(std::vector<std::string>)> addPaths;
};

void ConnectBatchWindow(BatchWindowLink link);
void ConnectMainWindow(HWND mainWindow);

bool IsBatchWindowOpen();
// Hides the main window, then opens a new batch window; when that fails the main window comes
// back, so the user is never left without a window.
void SwitchToBatchWindow();
// Opens the batch window when it is not open (drawing it once before the work starts), then
// appends the paths to its list.
void HandPathsToBatchWindow(std::vector<std::string> paths);
// Shows and activates the main window again (the batch window is going away).
void ReturnToMainWindow();

// The process ends when its last top-level window is gone. Off unless start-up turns it on,
// so that tests can open and close windows freely.
void EnableQuitWhenLastWindowCloses();
void TopWindowCreated();
void TopWindowDestroyed();

}  // namespace app
