// fstamp sendto install | remove.
#include "cli/send_to.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <wrl/client.h>

#include "app/com_scope.h"
#include "cli/program.h"
#include "core/exact_stamp.h"
#include "core/program_folder.h"
#include "core/system_error.h"
#include "core/text_encoding.h"
#include "core/unique_resource.h"
#include "core/whole_file.h"

namespace cli {
namespace {

constexpr char kDescription[] = "修改文件和文件夹的创建、修改、访问时间与属性";

struct CoTaskStringTraits {
  using Type = wchar_t*;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type text) noexcept { CoTaskMemFree(text); }
};

std::string ShellError(long hr) {
  return core::SystemErrorText(HRESULT_FACILITY(hr) == FACILITY_WIN32 ? HRESULT_CODE(hr) : static_cast<DWORD>(hr));
}

}  // namespace

std::string SendToFolder() {
  core::UniqueResource<CoTaskStringTraits> folder;
  if (FAILED(SHGetKnownFolderPath(FOLDERID_SendTo, KF_FLAG_CREATE, nullptr, folder.put()))) return {};
  return core::WideToUtf8(folder.get());
}

long CreateShortcut(const std::string& shortcut, const std::string& target, const std::string& description) {
  const app::ComScope com;  // for the shell's shortcut object
  Microsoft::WRL::ComPtr<IShellLinkW> link;
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link));
  if (FAILED(hr)) return hr;
  const std::wstring targetW = core::Utf8ToWide(target);
  link->SetPath(targetW.c_str());
  link->SetDescription(core::Utf8ToWide(description).c_str());
  link->SetIconLocation(targetW.c_str(), 0);
  Microsoft::WRL::ComPtr<IPersistFile> file;
  hr = link.As(&file);
  if (FAILED(hr)) return hr;
  return file->Save(core::Utf8ToWide(shortcut).c_str(), TRUE);
}

int RunSendTo(const Command& command, const Streams& streams) {
  const std::string folder = SendToFolder();
  if (folder.empty()) {
    streams.err.Write("fstamp: the user's Send To folder is unknown; nothing was changed\n");
    return kExitFailed;
  }
  const std::string shortcut = folder + "\\" + kSendToShortcutName;

  if (command.sendTo == SendToAction::Remove) {
    const DWORD error = core::RemoveFile(shortcut);
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
      streams.out.Write("Send To: there is no " + std::string(kSendToShortcutName) + " in " + folder +
                        "; nothing to remove\n");
      return kExitDone;
    }
    if (error != 0) {
      streams.err.Write("fstamp: " + shortcut + ": " + core::SystemErrorText(error) + "\n");
      return kExitFailed;
    }
    streams.out.Write("Send To: removed " + shortcut + "\n");
    return kExitDone;
  }

  // The window program the shortcut starts sits beside this one.
  const std::string target = core::ProgramFolder() + "\\filestamp.exe";
  const core::ExactRead found = core::ReadExactStamp(target);
  if (!found.stamp || (found.stamp->attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    streams.err.Write("fstamp: filestamp.exe was not found beside fstamp.exe (" + target +
                      "); nothing was installed\n");
    return kExitFailed;
  }
  if (const long hr = CreateShortcut(shortcut, target, kDescription); FAILED(hr)) {
    streams.err.Write("fstamp: " + shortcut + ": " + ShellError(hr) + "\n");
    return kExitFailed;
  }
  streams.out.Write("Send To: created " + shortcut + " for " + target + "\n");
  return kExitDone;
}

}  // namespace cli
