#pragma once

#include <string>
#include <variant>

#include "cli/when.h"

namespace cli {

// A date read from a file's content or from its name: a local wall-clock time (converted by
// the zone rule of its own date later) or an exact instant, and where it was found, e.g.
// "EXIF DateTimeOriginal +02:00" or "IMG_20240501_123456".
struct FoundDate {
  std::variant<LocalTime, Instant> when;
  std::string source;
  friend bool operator==(const FoundDate&, const FoundDate&) = default;
};

}  // namespace cli
