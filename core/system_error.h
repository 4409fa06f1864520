#pragma once

#include <windows.h>

#include <string>

namespace core {

// The system's own words for an error code (FormatMessage), in UTF-8, without the line break
// the system ends them with; "error N" when it has none.
std::string SystemErrorText(DWORD error);

// The calling thread's last error, or fallback when a call failed without setting one: a
// failure is never reported as error 0 (success). Call it on the line after the failed call.
inline DWORD LastErrorOr(DWORD fallback) {
  const DWORD error = GetLastError();
  return error ? error : fallback;
}

}  // namespace core
