#include "ui/batch/shell_handoff.h"

#include <wrl/client.h>

#include <utility>

#include "app/com_scope.h"
#include "app/ui_handles.h"
#include "core/win_handles.h"

namespace ui::batch {
namespace {

HRESULT OpenFolderAndSelect(PCIDLIST_ABSOLUTE item) {
  if (const auto& standIn = ScopedOpenFolder::Current()) return standIn(item);
  return SHOpenFolderAndSelectItems(item, 0, nullptr, 0);
}

BOOL Execute(SHELLEXECUTEINFOA& info) {
  if (const auto& standIn = ScopedShellExecute::Current()) return standIn(info);
  return ShellExecuteExA(&info);
}

}  // namespace

bool LocateFile(const std::string& path) {
  // Declared first so that it ends last: the list and the link go before COM does.
  const app::ComScope com;
  Microsoft::WRL::ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)))) return false;
  // A path the shell cannot resolve leaves the list null; the shell then refuses to open a
  // folder for it, which is the failure the caller reports.
  link->SetPath(path.c_str());
  app::UniquePidl item;
  link->GetIDList(item.put());
  return OpenFolderAndSelect(item.get()) == S_OK;
}

bool ShowFileProperties(HWND owner, const std::string& path) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  // No error dialog of the shell's own: the caller shows its warning instead.
  info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner;
  info.lpVerb = "properties";
  info.lpFile = path.c_str();
  info.lpParameters = "";
  info.lpDirectory = "";
  info.nShow = SW_HIDE;
  Execute(info);  // the outcome is read from hInstApp, as the shell documents for this verb
  const core::UniqueKernelHandle process(info.hProcess);  // the sheet is not waited for
  return reinterpret_cast<INT_PTR>(info.hInstApp) > 32;
}

}  // namespace ui::batch
