#pragma once

#include <windows.h>

#include <commdlg.h>

#include <functional>
#include <optional>
#include <string>

#include "app/seam.h"

namespace ui::main {

// Asks for the file whose times and attributes are to be changed; empty when cancelled.
std::optional<std::string> ChooseFileToOpen(HWND owner);

// Stands in for the modal dialog while it lives (tests): gets the prepared settings and
// returns the chosen path, or nothing for a cancel.
using OpenFileDialogFunction = std::function<std::optional<std::string>(const OPENFILENAMEW& settings)>;
using ScopedOpenFileDialog = app::Seam<struct OpenFileDialogTag, OpenFileDialogFunction>;

}  // namespace ui::main
