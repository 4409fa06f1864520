#include "core/change_history.h"

#include <windows.h>

#include "core/file_time_convert.h"
#include "core/history_store.h"
#include "core/system_error.h"

namespace core {

bool HistoryTurnedOff() {
  wchar_t value[4] = {};
  const DWORD length = GetEnvironmentVariableW(L"FILESTAMP_NO_HISTORY", value, 4);
  return length == 1 && value[0] == L'1';
}

std::string ChangeRecord::Begin(const std::string& origin, std::vector<JournalEntry> entries) {
  id_.clear();
  if (entries.empty()) return {};
  Journal journal;
  journal.origin = origin;
  journal.entries = std::move(entries);
  const auto text = FormatJournal(journal);
  if (!text) return text.error();
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  if (const DWORD error = RecordHistory(folder_, ToTicks(now), *text, id_)) {
    id_.clear();
    return "'" + folder_ + "': " + SystemErrorText(error);
  }
  return {};
}

void ChangeRecord::Finish(bool changed) {
  if (id_.empty()) return;
  if (changed) {
    PruneHistory(folder_, HistoryLimits{}, id_);
  } else {
    RemoveHistoryEntry(folder_, id_);
  }
  id_.clear();
}

}  // namespace core
