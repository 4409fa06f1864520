#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/run_report.h"
#include "core/change_history.h"

namespace cli {

struct StampTarget;

// The command line as the history shows it ("fstamp set -m now D:\Site"): the words as given,
// one with a blank (or an empty one) in double quotes, control characters as '?' so that the
// text fits a journal's "by" line.
std::string FormatAsked(const std::vector<std::string>& args);

// The history entry of one set run: what every path to be changed holds and is to hold,
// written before the first change so that any change can be taken back later.
class HistoryRecord {
 public:
  HistoryRecord(std::string folder, std::string asked);

  // Before the first change. When the entry cannot be written, says so in one warning line
  // and the run goes on without it.
  void Begin(const std::vector<StampTarget>& targets, RunReport& report);
  // After the run: the entry of a run that changed nothing is removed; once one stays, the
  // oldest entries beyond the bound go.
  void Finish(bool changed);

 private:
  core::ChangeRecord record_;
  std::string asked_;
};

}  // namespace cli
