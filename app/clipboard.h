#pragma once

#include <windows.h>

#include <string>

namespace app {

// Replaces what the clipboard holds with the text, as Unicode text (CF_UNICODETEXT), so that
// any program can paste it; false when the clipboard stayed as it was.
bool CopyTextToClipboard(HWND owner, const std::string& text);

}  // namespace app
