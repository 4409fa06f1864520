// The version is set once, in the CMake project; it must reach both programs' version
// resources, fstamp --version and the main window's credit line.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/controls.h"
#include "core/program_folder.h"
#include "core/text_encoding.h"
#include "tests/support/console_program.h"
#include "tests/support/main_window_harness.h"
#include "ui/main/main_design.h"
#include "version.h"

namespace {

struct ExeVersion {
  DWORD major = 0, minor = 0, patch = 0;
  std::string productVersion;
};

ExeVersion VersionOf(const std::string& exe) {
  const std::wstring path = core::Utf8ToWide(exe);
  std::vector<char> data(GetFileVersionInfoSizeW(path.c_str(), nullptr));
  ExeVersion found;
  if (data.empty() || !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data())) return found;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT size = 0;
  if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &size) && fixed) {
    found.major = HIWORD(fixed->dwFileVersionMS);
    found.minor = LOWORD(fixed->dwFileVersionMS);
    found.patch = HIWORD(fixed->dwFileVersionLS);
  }
  wchar_t* text = nullptr;
  if (VerQueryValueW(data.data(), L"\\StringFileInfo\\080404B0\\ProductVersion", reinterpret_cast<void**>(&text),
                     &size) && text)
    found.productVersion = core::WideToUtf8(text);
  return found;
}

TEST(Version, TheProjectVersionReachesBothProgramsAndTheCreditLine) {
  for (const char* exe : {"filestamp.exe", "fstamp.exe"}) {
    SCOPED_TRACE(exe);
    const ExeVersion version = VersionOf(core::ProgramFolder() + "\\" + exe);
    EXPECT_EQ(version.major, DWORD{FILESTAMP_VERSION_MAJOR});
    EXPECT_EQ(version.minor, DWORD{FILESTAMP_VERSION_MINOR});
    EXPECT_EQ(version.patch, DWORD{FILESTAMP_VERSION_PATCH});
  }
  EXPECT_EQ(VersionOf(core::ProgramFolder() + "\\filestamp.exe").productVersion, FILESTAMP_VERSION_FOUR);
  EXPECT_EQ(testing_support::RunFstamp({"--version"}).out, "fstamp " FILESTAMP_VERSION "\n");

  testing_support::MainWindowHarness ui;
  EXPECT_EQ(app::GetText(ui[ui::main::选择框1]), "FileStamp " FILESTAMP_VERSION_SHORT);
  EXPECT_NE(app::GetText(ui.hwnd()).find("FileStamp " FILESTAMP_VERSION_SHORT), std::string::npos);
}

}  // namespace
