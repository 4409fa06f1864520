#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/path_state.h"

namespace core {

// One entry of a folder listing, as the search returned it.
struct FolderEntry {
  std::string name;  // UTF-8, whole (a name can be 255 UTF-16 units, far more in UTF-8)
  PathState state;
  // The kind of reparse point (IO_REPARSE_TAG_*), for a reparse point only.
  std::optional<DWORD> reparseTag;
  bool IsFolder() const { return (state.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
};

// Calls visit for each entry directly inside folder, "." and ".." left out, in the order the
// file system lists them. Returns 0 when the folder was listed (an empty one too), else the
// system's error.
DWORD ListFolder(const std::string& folder, const std::function<void(const FolderEntry&)>& visit);

// The reparse tag of a path itself (platform form, no wildcard), as a listing gives it;
// nothing when the path is no reparse point or cannot be found.
std::optional<DWORD> ReadReparseTag(const std::wstring& platformPath);

}  // namespace core
