// Start-up, the composition root: OLE for the life of the process, the program's folder as
// current directory, the two windows wired together, the main window, and the message loop
// until the last window is gone. Only program/ knows both app/ and ui/.
#include <windows.h>

#include <commctrl.h>

#include "app/code_page_check.h"
#include "app/com_scope.h"
#include "app/message_loop.h"
#include "app/window_switch.h"
#include "core/program_folder.h"
#include "core/text_encoding.h"
#include "program/window_wiring.h"
#include "ui/main/main_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before anything else loads: DLLs only from the system folder, never from the program's
  // own folder (often a downloads folder), which becomes the current directory below.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!app::EnsureUtf8CodePage()) return 2;

  app::OleScope ole;
  SetCurrentDirectoryW(core::Utf8ToWide(core::ProgramFolder()).c_str());

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  app::EnableQuitWhenLastWindowCloses();
  program::ConnectBatchWindow();

  ui::main::MainWindow mainWindow(core::WideToUtf8(GetCommandLineW()));
  if (!mainWindow.Create()) return 1;
  app::ConnectMainWindow(mainWindow.hwnd());
  mainWindow.Show();
  app::RunMessageLoop();
  return 0;
}
