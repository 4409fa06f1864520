#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/found_date.h"
#include "cli/when.h"

namespace cli {

// One of a path's own dates as set uses it: a UTC instant and where it came from
// ("taken: EXIF DateTimeOriginal +02:00"), or why there is none ("no date taken in it").
struct PathDate {
  std::optional<Ticks> utc;
  std::string source;
  std::string missing;
  // A folder without such a date: the times that would come from it stay as they are.
  bool keep = false;
};

// The dates a path carries itself, read before its change is planned (only those asked for).
struct PathDates {
  PathDate taken;
  PathDate name;
  const PathDate& Get(DateOrigin origin) const { return origin == DateOrigin::Taken ? taken : name; }
};

// "taken" or "name".
std::string_view DateOriginName(DateOrigin origin);

// A date found (or not) in a path, as set uses it: a local time becomes UTC by localToUtc.
PathDate MakePathDate(DateOrigin origin, const std::optional<FoundDate>& found, const LocalToUtc& localToUtc);

// The last part of a path as shown (after the last '\\', '/' or drive colon): the name a
// date is looked for in.
std::string_view NameOfPath(std::string_view path);

// The last year a name's date may have: the year after the one that is now (local time).
int LastNameYear(Ticks nowLocal);

}  // namespace cli
