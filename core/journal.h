#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/path_state.h"
#include "core/result.h"

namespace core {

// One path set changed: its state before (three times exactly as the platform reported them,
// whole attribute word) and what set wrote over it.
struct JournalEntry {
  std::string path;  // UTF-8, any bytes except NUL, CR and LF, not empty
  PathState before;
  // The parts set wrote (the flags as the four-flag set); none in a journal of version 1,
  // which did not record them.
  std::optional<PathChange> written;
  friend bool operator==(const JournalEntry&, const JournalEntry&) = default;
};

inline constexpr int kJournalVersion = 2;

struct Journal {
  int version = kJournalVersion;  // 1 or 2
  // Version 2: an optional line after the first, "by <text>", saying which program wrote the
  // journal and what it was asked; no NUL, CR or LF.
  std::optional<std::string> origin;
  std::vector<JournalEntry> entries;
  friend bool operator==(const Journal&, const Journal&) = default;
};

// The first line of a journal of each version.
inline constexpr std::string_view kJournalHeaderV1 = "fstamp-journal 1 created accessed modified attributes path";
inline constexpr std::string_view kJournalHeader =
    "fstamp-journal 2 created modified accessed attributes written-created written-modified written-accessed "
    "written-flags path";

// The journal text, every line ending in LF. Version 2:
//   fstamp-journal 2 created modified accessed attributes written-created ... path
//   by <text>                                                  only when origin is given
//   <created> <modified> <accessed> <attributes> <w-created> <w-modified> <w-accessed> <w-flags> <path>
//   end <number of entries>
// Times in decimal without leading zeros, attributes and flags as eight lowercase hex digits,
// a part set did not write as "-", one blank between fields; the path is the rest of the
// line. Version 1 has neither the "by" line nor the written parts, and its times in the
// order created, accessed, modified. Written byte for byte (no LF -> CRLF conversion). Fails
// for an empty path or one holding NUL, CR or LF, and for an entry whose written parts do
// not match the version (version 2 needs them, version 1 has none).
Result<std::string> FormatJournal(const Journal& journal);

// Reads a journal of either version all or nothing: any deviation from the exact form
// FormatJournal writes is an error naming the line. A missing "end" line, a missing final LF
// or a count that differs from the lines present means the file was cut short. Whatever it
// accepts, FormatJournal writes back byte for byte.
Result<Journal> ParseJournal(std::string_view text);

}  // namespace core
