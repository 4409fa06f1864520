#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/attribute_set.h"
#include "core/local_date_time.h"
#include "core/path_state.h"

namespace core {

struct FileSize {
  bool found = false;
  std::uint64_t bytes = 0;  // the full 64-bit size of the first matching directory entry
};

// Each time is empty when it cannot be shown as a local time (it lies outside the calendar
// the platform converts).
struct FileTimes {
  std::optional<LocalDateTime> creation;
  std::optional<LocalDateTime> modification;
  std::optional<LocalDateTime> access;
};

// What ReadFileStamp returns for one path; each part says whether it was read.
struct FileStamp {
  std::string path;
  bool sizeFound = false;
  std::uint64_t size = 0;
  bool timesRead = false;
  FileTimes times;
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

// Sets the path's read-only, hidden, system and archive flags to those of value; every other
// bit of its attribute word is kept.
bool WriteAttributes(const std::string& path, AttributeSet value);

// True when a directory search finds an entry (a wildcard counts when anything matches).
bool PathExists(const std::string& path);

// The three times as local wall-clock times, read with attribute access only, so a file that
// another program holds open is read too. Fails for folders, which open only with backup
// semantics. A link is read itself, not its target.
std::optional<FileTimes> ReadFileTimes(const std::string& path);

FileStamp ReadFileStamp(const std::string& path);

// Writes the three times (KeepTime leaves one unchanged, and so does a time equal to what the
// path's own reads as) and the flags (KeepAttributes leaves them unchanged, any other value
// replaces the four flags; other attribute bits are kept), to the path itself (a link, not its
// target), all in one write. Returns true only when everything asked was written; on false the
// path's times and flags are as they were.
bool ApplyFileStamp(const std::string& path, const LocalDateTime& creation, const LocalDateTime& modification,
                    const LocalDateTime& access, AttributeSet attributes);

// ApplyFileStamp in its two steps, for a caller that records a change before making it: what
// the path holds now and what will be written over it (empty when the path cannot be read or
// a time cannot be converted; nothing has been touched then), ...
struct StampPlan {
  std::wstring platformPath;
  PathState before;
  PathChange change;
  // Something differs from what the path held when planned (flags the path holds already are
  // no change; they are still written, merged into the word the path holds at that moment).
  bool ChangesPath() const;
};
std::optional<StampPlan> PlanFileStamp(const std::string& path, const LocalDateTime& creation,
                                       const LocalDateTime& modification, const LocalDateTime& access,
                                       AttributeSet attributes);
// ... and the write, with ApplyFileStamp's result.
bool ApplyStampPlan(const StampPlan& plan);

}  // namespace core
