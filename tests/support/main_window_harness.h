#pragma once

#include <windows.h>

#include <string>

#include "tests/support/temp_folder.h"
#include "ui/main/main_window.h"

namespace testing_support {

// A real main window for in-process tests, created from its design with the command line
// "filestamp.exe <arguments>" and connected as the program's main window while it lives.
class MainWindowHarness {
 public:
  explicit MainWindowHarness(const std::string& arguments = "");
  ~MainWindowHarness();
  MainWindowHarness(const MainWindowHarness&) = delete;
  MainWindowHarness& operator=(const MainWindowHarness&) = delete;

  // Shows the window and dispatches until its first activation has been handled (that is
  // when the command line is taken).
  void ShowAndSettle();

  ui::main::MainWindow& window() { return window_; }
  HWND hwnd() const { return window_.hwnd(); }
  HWND operator[](int id) const { return window_.control(id); }

  // A click as the button raises it (BM_CLICK), then whatever it queued is dispatched.
  void Click(int id) const;

 private:
  ui::main::MainWindow window_;
};

// An argument as it is written on a command line: in double quotes.
std::string Quoted(const std::string& path);

// Known, distinct UTC times with sub-second parts, for files whose times a test compares.
FILETIME KnownCreation();
FILETIME KnownAccess();
FILETIME KnownWrite();

// A file with the given content, the known times and the given attribute word.
std::string MakeStampedFile(const TempFolder& folder, const std::string& name, const std::string& content,
                            DWORD attributes = FILE_ATTRIBUTE_ARCHIVE);

// Whether the folder's file system keeps a creation time written to it (Wine on Linux reports
// the modification time instead).
bool KeepsCreationTime(const TempFolder& folder);

}  // namespace testing_support
