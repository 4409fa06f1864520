#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/attrib_spec.h"
#include "cli/time_ticks.h"

namespace cli {

// A time as shown: local wall-clock ticks and the offset in force then (local minus UTC).
struct LocalStamp {
  Ticks local = 0;
  Ticks offset = 0;
};

// One path of `show`. A path that could not be read has `error` set and usually nothing else;
// a folder has no size. Every missing part prints as empty (CSV, table) or null (JSON).
struct ShowRow {
  std::string path;  // as given, wildcards expanded; UTF-8
  std::optional<std::uint64_t> size;
  std::optional<LocalStamp> creation;
  std::optional<LocalStamp> modification;
  std::optional<LocalStamp> access;
  std::optional<AttributeWord> attributes;
  std::optional<std::string> error;  // one line, no line end
  // show --taken: the date taken and where it came from ("EXIF DateTimeOriginal"), or none.
  std::optional<LocalStamp> taken;
  std::string takenSource;
};

// All three return whole lines of UTF-8 text, to be written byte for byte (binary mode: a
// text-mode stream would turn CSV's CRLF into CR CR LF). With `withTaken` two more columns
// follow the attributes: taken (a time like the others) and taken_from (its source).

// For people: a header, then one line per row, columns padded by their width in terminal
// columns (wide East Asian characters count two), times to the second without offset, sizes
// grouped by thousands. A failed row shows its error after the path. Control characters in
// paths and errors print as '?' and blanks, so nothing can steer the terminal. Lines end in LF.
std::string FormatTable(const std::vector<ShowRow>& rows, bool withTaken = false);

// RFC 4180: header row path,size,created,modified,accessed,attributes,error; CRLF after every
// record; a field holding a comma, quote, CR or LF is quoted with inner quotes doubled. Times
// are ISO 8601 with offset and seven fraction digits.
std::string FormatCsv(const std::vector<ShowRow>& rows, bool withTaken = false);

// A JSON array with one object per row, one row per line, keys as in CSV; size a number,
// missing parts null. Strings escape '"', '\' and control characters; other text passes as
// UTF-8, and a byte that is not valid UTF-8 becomes U+FFFD so the output is always valid JSON.
// Lines end in LF.
std::string FormatJson(const std::vector<ShowRow>& rows, bool withTaken = false);

}  // namespace cli
