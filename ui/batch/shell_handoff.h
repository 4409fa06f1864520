#pragma once

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <functional>
#include <string>

#include "app/seam.h"

// The two places where the batch window hands a single path to the shell: a folder window
// with the item selected, and the item's properties sheet.
namespace ui::batch {

// Opens (or reuses) a shell window on the folder that holds the path, with the item selected.
// True exactly when the shell reports S_OK.
bool LocateFile(const std::string& path);

// Asks the shell to show the path's properties sheet, owned by owner; the sheet lives on its
// own. False when the shell reports an instance value of 32 or less.
bool ShowFileProperties(HWND owner, const std::string& path);

// Stands in for SHOpenFolderAndSelectItems while it lives (tests: the real call starts a
// separate explorer process). Gets the item's identifier list, which may be null, and
// returns the result to report.
using OpenFolderFunction = std::function<HRESULT(PCIDLIST_ABSOLUTE item)>;
using ScopedOpenFolder = app::Seam<struct OpenFolderTag, OpenFolderFunction>;

// Stands in for ShellExecuteExA while it lives (tests: a real properties sheet would stay
// open). Gets the filled record and writes the call's results into it, as the shell does.
using ShellExecuteFunction = std::function<BOOL(SHELLEXECUTEINFOA& info)>;
using ScopedShellExecute = app::Seam<struct ShellExecuteTag, ShellExecuteFunction>;

}  // namespace ui::batch
