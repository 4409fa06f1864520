#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/attribute_set.h"
#include "core/local_date_time.h"

namespace core {

struct FileSize {
  bool found = false;
  std::uint64_t bytes = 0;  // the full 64-bit size of the first matching directory entry
};

struct FileTimes {
  LocalDateTime creation;
  LocalDateTime modification;
  LocalDateTime access;
};

// What ReadFileStamp returns for one path; each part says whether it was read.
struct FileStamp {
  std::string path;
  bool sizeFound = false;
  std::uint64_t size = 0;
  bool timesRead = false;
  LocalDateTime creation;
  LocalDateTime modification;
  LocalDateTime access;
  bool attributesRead = false;
  AttributeSet attributes = 0;
  bool isDirectory = false;
};

// Size of the first directory entry matching the path (a wildcard path matches its first hit).
FileSize ReadFileSize(const std::string& path);

// The platform's short size text, e.g. "1.17 MB".
std::string FormatByteSize(std::uint64_t size);

// The main window's long size text, e.g. "1.17 MB (1,234,567 字节)".
std::string FormatSizeText(std::uint64_t size);

// The attribute word AND 0x37, or KeepAttributes (-1) when the query fails.
AttributeSet ReadAttributes(const std::string& path);

// Writes value AND 0x27 as the path's whole set of flags.
bool WriteAttributes(const std::string& path, AttributeSet value);

// True when a directory search finds an entry (a wildcard counts when anything matches).
bool PathExists(const std::string& path);

// The three times as local wall-clock times. Fails for folders, which open only with
// backup semantics.
std::optional<FileTimes> ReadFileTimes(const std::string& path);

FileStamp ReadFileStamp(const std::string& path);

// Writes the three times (KeepTime leaves one unchanged) and the flags (KeepAttributes leaves
// them unchanged, any other value replaces the whole set). Returns true when the times were
// written; on false the path's times and flags are as they were.
bool ApplyFileStamp(const std::string& path, const LocalDateTime& creation, const LocalDateTime& modification,
                    const LocalDateTime& access, AttributeSet attributes);

}  // namespace core
