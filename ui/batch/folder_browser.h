#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/seam.h"

namespace ui::batch {

// The shell's folder browser (files can be chosen too). Returns the chosen item's file-system
// path, or an empty text when cancelled or when the item has none.
std::string ChooseFileOrFolder(HWND owner);

// Stands in for the modal browser while it lives (tests): gets owner, title and flags.
using FolderBrowserFunction = std::function<std::string(HWND owner, const std::string& title, UINT flags)>;
using ScopedFolderBrowser = app::Seam<struct FolderBrowserTag, FolderBrowserFunction>;

}  // namespace ui::batch
