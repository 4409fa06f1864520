#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/stamp_plan.h"
#include "cli/time_ticks.h"

namespace cli {

// A UTC time as set and undo print it: ISO 8601 with the local offset of that instant.
std::string FormatInstant(std::uint64_t utc, const OffsetAt& offsetAt);

// What a dry run prints for one path: the path, then one line per part that would change,
// "  modified  <old> -> <new>" (flags by their letters), or "  nothing to change"; then a
// line "  from      <source>" for each of the path's own dates the times came from.
std::string FormatDryRun(std::string_view path, const PathState& before, const PlannedChange& change,
                         const OffsetAt& offsetAt, const std::vector<std::string>& sources = {});

// Why a path counts as failed after writing: "not kept by the file system: created (wrote
// <time>, reads <time>), flags (wrote RA, reads A)".
std::string FormatNotKept(const std::vector<StampPart>& lost, const PlannedChange& change, const PathState& after,
                          const OffsetAt& offsetAt);

// Why undo leaves a path alone: "changed since it was stamped: modified (wrote <time>, now
// holds <time>); left as it is (undo --force puts it back all the same)".
std::string FormatChangedSince(const std::vector<StampPart>& changed, const PlannedChange& written,
                               const PathState& now, const OffsetAt& offsetAt);

// A reason that stops the whole command before any change, as one sentence or more with the
// assurance after it: "File not found. Nothing was changed."
std::string NothingChanged(std::string_view reason);

// The last line of set and undo: "12 stamped, 1 failed", then ", 2 links not entered" when a
// walk met link folders it did not enter.
std::string FormatSummary(std::size_t stamped, std::size_t failed, std::size_t linksNotEntered = 0);
// Why a run ended early: "stopped on request after the path in hand; 3 paths were not
// reached".
std::string FormatStopped(std::size_t notReached);

// The last line of a dry run: "dry run: 2 of 3 would change, 1 failed; nothing was changed".
std::string FormatDryRunSummary(std::size_t read, std::size_t wouldChange, std::size_t failed,
                                std::size_t linksNotEntered = 0);

}  // namespace cli
