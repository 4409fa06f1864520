#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "core/attribute_set.h"

namespace core {

// A path's metadata exactly as the file system holds it.
struct ExactStamp {
  std::uint64_t creation = 0;  // 100-ns ticks since 1601-01-01 UTC
  std::uint64_t access = 0;
  std::uint64_t write = 0;
  DWORD attributes = 0;  // the whole attribute word, every bit
  std::uint64_t size = 0;
};

struct ExactRead {
  std::optional<ExactStamp> stamp;
  DWORD error = 0;  // the system's error when the path could not be read
};

// Reads the path itself: a symbolic link or junction is not followed. Works on folders and on
// files another program holds open.
ExactRead ReadExactStamp(const std::string& path);

// The same for a path already in its platform form (see PlatformPath): a long run converts
// each path once.
ExactRead ReadExactStampAt(const std::wstring& platformPath);

// The record WriteStampOver takes, rebuilt from a stamp read earlier.
WIN32_FILE_ATTRIBUTE_DATA ToAttributeData(const ExactStamp& stamp);

// What to write; an empty part is left as it is.
struct StampChange {
  std::optional<std::uint64_t> creation;  // ticks, as in ExactStamp
  std::optional<std::uint64_t> access;
  std::optional<std::uint64_t> write;
  std::optional<AttributeSet> flags;  // the four flags as a whole set; every other bit is kept
};

// Writes the change to the path itself (a link, not its target), opened for attribute access
// only: a read-only file needs no clearing and a file another program holds open is still
// stamped. Returns 0 when everything asked was written; otherwise the system's error, and
// then the times and flags are as they were.
DWORD WriteStamp(const std::string& path, const StampChange& change);

// The same with the path's current record already read (platform form of the path).
DWORD WriteStampOver(const std::wstring& platformPath, const WIN32_FILE_ATTRIBUTE_DATA& current,
                     const StampChange& change);

// The attribute word with its read-only, hidden, system and archive bits replaced by flags
// and every other bit kept, as the platform takes it (never 0).
DWORD MergeFlags(DWORD word, AttributeSet flags);

}  // namespace core
