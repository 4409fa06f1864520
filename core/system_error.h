#pragma once

#include <windows.h>

#include <string>

namespace core {

// The system's own words for an error code (FormatMessage), in UTF-8, without the line break
// the system ends them with; "error N" when it has none.
std::string SystemErrorText(DWORD error);

}  // namespace core
