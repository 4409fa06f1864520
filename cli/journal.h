#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cli/attrib_spec.h"
#include "cli/result.h"

namespace cli {

// One path's state before a change: its three file times exactly as the platform reported them
// (100-ns ticks since 1601-01-01 UTC, unsigned like the platform's own 64-bit value) and its
// whole attribute word.
struct JournalEntry {
  std::string path;  // UTF-8, any bytes except NUL, CR and LF, not empty
  std::uint64_t creation = 0;
  std::uint64_t access = 0;
  std::uint64_t modification = 0;
  AttributeWord attributes = 0;
  friend bool operator==(const JournalEntry&, const JournalEntry&) = default;
};

// The first line of every journal of this version.
inline constexpr std::string_view kJournalHeader = "fstamp-journal 1 created accessed modified attributes path";

// The journal text, every line ending in LF:
//   fstamp-journal 1 created accessed modified attributes path
//   <created> <accessed> <modified> <attributes> <path>      one line per entry
//   end <number of entries>
// Times in decimal without leading zeros, attributes as eight lowercase hex digits, one blank
// between fields; the path is the rest of the line. Write it byte for byte (no LF -> CRLF
// conversion). Fails for an empty path or one holding NUL, CR or LF.
Result<std::string> FormatJournal(const std::vector<JournalEntry>& entries);

// Reads a journal all or nothing: any deviation from the exact form FormatJournal writes is an
// error naming the line. A missing "end" line, a missing final LF or a count that differs from
// the lines present means the file was cut short. Whatever it accepts, FormatJournal writes
// back byte for byte.
Result<std::vector<JournalEntry>> ParseJournal(std::string_view text);

}  // namespace cli
