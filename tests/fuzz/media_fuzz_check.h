#pragma once

// What every date the readers return must satisfy, whatever the bytes: a valid local time or
// an instant within the platform's range, and a source named.
#include <cstdlib>

#include "cli/found_date.h"

inline void CheckFoundDate(const std::optional<cli::FoundDate>& found) {
  if (!found) return;
  if (found->source.empty()) std::abort();
  if (const auto* local = std::get_if<cli::LocalTime>(&found->when)) {
    if (cli::FindCivilTimeError(local->civil)) std::abort();
  } else if (const cli::Ticks utc = std::get<cli::Instant>(found->when).utc; utc < 0 || utc > cli::kMaxTicks) {
    std::abort();
  }
}
