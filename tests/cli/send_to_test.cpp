// fstamp sendto install | remove, run as a process, with the shortcut read back through the
// shell's own link object.
#include "cli/send_to.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <wrl/client.h>

#include "core/exact_stamp.h"
#include "core/text_encoding.h"
#include "core/whole_file.h"
#include "tests/support/console_program.h"
#include "tests/support/temp_folder.h"

namespace {

using testing_support::RunFstamp;

bool Exists(const std::string& path) { return core::ReadExactStamp(path).stamp.has_value(); }

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

struct Shortcut {
  std::string target, icon, description;
  int iconIndex = -1;
};

Shortcut Resolve(const std::string& path) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  Shortcut found;
  {
    Microsoft::WRL::ComPtr<IShellLinkW> link;
    Microsoft::WRL::ComPtr<IPersistFile> file;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) &&
        SUCCEEDED(link.As(&file)) && SUCCEEDED(file->Load(core::Utf8ToWide(path).c_str(), STGM_READ))) {
      wchar_t text[MAX_PATH * 4] = {};
      if (SUCCEEDED(link->GetPath(text, static_cast<int>(std::size(text)), nullptr, SLGP_RAWPATH)))
        found.target = core::WideToUtf8(text);
      if (SUCCEEDED(link->GetIconLocation(text, static_cast<int>(std::size(text)), &found.iconIndex)))
        found.icon = core::WideToUtf8(text);
      if (SUCCEEDED(link->GetDescription(text, static_cast<int>(std::size(text)))))
        found.description = core::WideToUtf8(text);
    }
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return found;
}

TEST(FstampSendTo, InstallPutsAShortcutToFilestampInSendToAndRemoveTakesItOut) {
  const std::string folder = cli::SendToFolder();
  ASSERT_FALSE(folder.empty());
  const std::string shortcut = folder + "\\" + cli::kSendToShortcutName;
  core::RemoveFile(shortcut);
  const std::string filestamp = FolderOf(testing_support::FstampPath()) + "\\filestamp.exe";

  const auto installed = RunFstamp({"sendto", "install"});
  EXPECT_EQ(installed.exitCode, 0u) << installed.err;
  EXPECT_NE(installed.out.find(shortcut), std::string::npos) << installed.out;
  ASSERT_TRUE(Exists(shortcut));
  const Shortcut link = Resolve(shortcut);
  EXPECT_EQ(_stricmp(link.target.c_str(), filestamp.c_str()), 0) << link.target;
  EXPECT_EQ(_stricmp(link.icon.c_str(), filestamp.c_str()), 0) << link.icon;
  EXPECT_EQ(link.iconIndex, 0);
  EXPECT_FALSE(link.description.empty());

  const auto removed = RunFstamp({"sendto", "remove"});
  EXPECT_EQ(removed.exitCode, 0u) << removed.err;
  EXPECT_FALSE(Exists(shortcut));
  const auto again = RunFstamp({"sendto", "remove"});  // nothing left: says so, still fine
  EXPECT_EQ(again.exitCode, 0u);
  EXPECT_NE(again.out.find("nothing to remove"), std::string::npos) << again.out;
}

TEST(FstampSendTo, InstallWithoutFilestampBesideItFailsAndCreatesNothing) {
  const testing_support::TempFolder alone;
  const std::string copy = alone.Child("fstamp.exe");
  ASSERT_TRUE(CopyFileW(core::Utf8ToWide(testing_support::FstampPath()).c_str(), core::Utf8ToWide(copy).c_str(), TRUE));
  const std::string shortcut = cli::SendToFolder() + "\\" + cli::kSendToShortcutName;
  core::RemoveFile(shortcut);

  const auto run = testing_support::RunConsoleProgram(copy, {"sendto", "install"});

  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_NE(run.err.find("filestamp.exe was not found"), std::string::npos) << run.err;
  EXPECT_FALSE(Exists(shortcut));
}

}  // namespace
