#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace core {

// Reads the whole file into bytes, exactly as stored. Returns 0 or the system's error.
DWORD ReadWholeFile(const std::string& path, std::string& bytes);

// Creates a new file holding exactly the bytes and returns only once FlushFileBuffers has
// written it through to the disk, so that what a caller does next cannot overtake it. An
// existing file is never overwritten (ERROR_FILE_EXISTS); a file cut short by a failure is
// removed. Returns 0 or the system's error.
DWORD WriteNewFileDurably(const std::string& path, std::string_view bytes);

// Deletes a file. Returns 0 or the system's error (ERROR_FILE_NOT_FOUND when there is none).
DWORD RemoveFile(const std::string& path);

}  // namespace core
