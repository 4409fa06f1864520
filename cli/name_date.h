#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "cli/found_date.h"

namespace cli {

// One way cameras, phones, messengers and screenshot tools write a date into a file name.
// In `pattern`, the tokens YYYY MM DD hh mm ss are the date and time fields, each 'f' one
// digit of the fraction of a second, '#' any digit; every other character (a single M too)
// stands for itself, letters in any case.
struct NamePattern {
  std::string_view pattern;
  std::string_view example;
};

// Every form recognised, one line each.
std::span<const NamePattern> NamePatterns();

// The first date in a file name (the name alone, no folder): the earliest position in the
// name where a pattern matches, digits on neither side of it. A date only is 00:00:00. Nothing
// when no pattern matches with a valid date and time in 1970..maxYear. The source is the text
// matched.
std::optional<FoundDate> ReadNameDate(std::string_view name, int maxYear);

}  // namespace cli
