// Test entry point: the same process set-up as the program (OLE on this thread, common
// controls), then GoogleTest. The history every change records goes to a folder of the run's
// own, so tests never fill (or read) the user's.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <ole2.h>

#include "tests/support/scoped_variable.h"
#include "tests/support/temp_folder.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const HRESULT ole = OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  int result;
  {
    const testing_support::TempFolder appData;
    const testing_support::ScopedVariable history(L"LOCALAPPDATA", appData.path());
    result = RUN_ALL_TESTS();
  }
  if (SUCCEEDED(ole)) OleUninitialize();
  return result;
}
