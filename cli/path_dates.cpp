#include "cli/path_dates.h"

namespace cli {

std::string_view DateOriginName(DateOrigin origin) { return origin == DateOrigin::Taken ? "taken" : "name"; }

PathDate MakePathDate(DateOrigin origin, const std::optional<FoundDate>& found, const LocalToUtc& localToUtc) {
  PathDate date;
  if (!found) {
    date.missing = origin == DateOrigin::Taken ? "no date taken in it" : "no date in its name";
    return date;
  }
  date.source = std::string(DateOriginName(origin)) + ": " + found->source;
  if (const auto* instant = std::get_if<Instant>(&found->when)) {
    date.utc = instant->utc;
    return date;
  }
  auto utc = localToUtc(std::get<LocalTime>(found->when).civil);
  if (!utc) {
    date.missing = date.source + ": " + utc.error();
  } else {
    date.utc = *utc;
  }
  return date;
}

std::string_view NameOfPath(std::string_view path) {
  const std::size_t last = path.find_last_of("\\/:");
  return last == std::string_view::npos ? path : path.substr(last + 1);
}

int LastNameYear(Ticks nowLocal) { return CivilFromTicks(nowLocal).year + 1; }

}  // namespace cli
