#pragma once

#include <string>
#include <vector>

#include "core/journal.h"

namespace core {

// FILESTAMP_NO_HISTORY=1 in the environment: no change is recorded.
bool HistoryTurnedOff();

// One change's entry in the history, written before the change is made so that it can be
// taken back later. Recording never stands in the change's way: when the entry cannot be
// written the change goes ahead unrecorded.
class ChangeRecord {
 public:
  explicit ChangeRecord(std::string folder) : folder_(std::move(folder)) {}

  // Writes the journal of the paths about to change (origin: which program, what was asked)
  // as a new entry, on the disk before this returns. Nothing is written for no entries.
  // Returns why the entry could not be written, in the system's words; empty otherwise.
  std::string Begin(const std::string& origin, std::vector<JournalEntry> entries);

  // After the change: an entry under which nothing changed is removed again; once one stays,
  // the oldest entries beyond the history's bounds go.
  void Finish(bool changed);

 private:
  std::string folder_;
  std::string id_;  // empty: no entry written
};

}  // namespace core
