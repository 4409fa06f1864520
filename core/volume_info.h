#pragma once

#include <string>

namespace core {

// The name of the file system that holds a folder's entries ("NTFS", "FAT32", "exFAT", ...),
// as the volume reports it; empty when it cannot be asked. The folder is in its platform form
// (see PlatformPath).
std::string FileSystemNameAt(const std::wstring& platformFolder);

}  // namespace core
