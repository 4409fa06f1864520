#pragma once

#include <string>

namespace cli {

// A drive-relative path ("E:photos\a.jpg", "E:") made absolute against drive E's own current
// folder, as cmd and every Win32 call read it (GetFullPathNameW); any other path, or one the
// platform cannot resolve, as it is. UTF-8 both ways.
std::string WithDriveFolder(const std::string& path);

}  // namespace cli
