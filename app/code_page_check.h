#pragma once

#include <windows.h>

#include <functional>

#include "app/seam.h"

namespace app {

// The program hands UTF-8 to the ...A calls of Windows; its manifest makes UTF-8 the process
// code page, but Windows 10 before version 1903 ignores that and would mangle every name
// outside the legacy code page. Returns true when the code page is UTF-8; otherwise tells the
// user (no window exists yet) and returns false, and the program must not go on.
bool EnsureUtf8CodePage();

// Stands in for GetACP while it lives (tests: this platform always honours the manifest).
using CodePageFunction = std::function<UINT()>;
using ScopedCodePage = Seam<struct CodePageTag, CodePageFunction>;

}  // namespace app
