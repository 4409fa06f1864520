#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "cli/journal.h"
#include "cli/run_report.h"
#include "cli/stamp_plan.h"
#include "core/exact_stamp.h"

namespace cli {

// One path set or undo will write, with what it holds now and what it is to hold.
struct StampTarget {
  std::string shown;
  std::wstring platform;
  core::PathState before;
  PlannedChange change;
  std::size_t folder = 0;            // index into the run's folders: the volume whose precision applies
  std::vector<std::string> sources;  // where its own dates came from, for a dry run
};

// Why --journal names a file that is already there.
inline constexpr std::string_view kJournalExists = "the file already exists (a journal is never overwritten)";

class HistoryRecord;

struct StampOptions {
  bool dryRun = false;
  bool quiet = false;
  std::string journal;              // empty: none
  std::size_t linksNotEntered = 0;  // counted in the summary
  // None: the run keeps no history entry.
  HistoryRecord* history = nullptr;
};

// What a journal records of the targets: each path that is to change, as it is and as it will be.
Journal JournalOf(const std::vector<StampTarget>& targets);

// The second half of set and undo, once every path has been read and planned. A dry run
// prints what would change. Otherwise the journal (when asked) is written and flushed to the
// disk first and the history entry (when asked) begun, then each change is written in order,
// read back and checked against the precision of its volume (folders: platform paths ending
// in '\'). A stop request (see StopRequested) ends the run after the path in hand: the summary
// counts what was done and the status is kExitFailed. Returns the exit status; paths that
// failed earlier are already counted in the report.
int RunStamping(const std::vector<StampTarget>& targets, const std::vector<std::wstring>& folders,
                const StampOptions& options, RunReport& report);

}  // namespace cli
