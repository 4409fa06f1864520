#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "core/attribute_set.h"
#include "core/path_state.h"

namespace core {

struct ExactRead {
  std::optional<PathState> stamp;
  DWORD error = 0;  // the system's error when the path could not be read
};

// Reads the path itself: a symbolic link or junction is not followed. Works on folders and on
// files another program holds open.
ExactRead ReadExactStamp(const std::string& path);

// The same for a path already in its platform form (see PlatformPath): a long run converts
// each path once.
ExactRead ReadExactStampAt(const std::wstring& platformPath);

// What to write; an empty part is left as it is.
using StampChange = PathChange;

// Writes the change to the path itself (a link, not its target), opened for attribute access
// only: a read-only file needs no clearing and a file another program holds open is still
// stamped. Times and attribute word go in one call, the word merged into what the open path
// holds at that moment. Returns 0 when everything asked was written (or the path already held
// it); otherwise the system's error, and then the times and flags are as they were.
DWORD WriteStamp(const std::string& path, const StampChange& change);

// The same for a path already in its platform form (see PlatformPath).
DWORD WriteStampAt(const std::wstring& platformPath, const StampChange& change);

// The attribute word with its read-only, hidden, system and archive bits replaced by flags
// and every other bit kept, as the platform takes it (never 0).
DWORD MergeFlags(DWORD word, AttributeSet flags);

}  // namespace core
