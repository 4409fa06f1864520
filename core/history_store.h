#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// The history both programs keep of their changes: one journal file per change, in one folder,
// named by the change's UTC start time, so that any change can be taken back later.
struct HistoryEntry {
  // The name without ".journal": UTC start time as YYYYMMDD-HHMMSS-mmm, plus "-N" (N >= 2) when
  // more than one change began in the same millisecond.
  std::string id;
  std::string path;  // the journal file, UTF-8
  std::uint64_t bytes = 0;
  bool undone = false;  // taken back already
};

// True for an entry's id as RecordHistory names it: 20240501-120000-123, or with "-N" after it.
bool IsHistoryId(std::string_view text);

struct HistoryLimits {
  std::size_t entries = 100;
  std::uint64_t bytes = std::uint64_t{256} << 20;
};

// %LOCALAPPDATA%\FileStamp\history: LOCALAPPDATA from the environment, else the user's known
// local application-data folder. Empty when neither is known.
std::string HistoryFolder();

// Writes the journal as a new entry named by its start time (UTC, 100-ns ticks), creating the
// folder when it is missing. The file reaches the disk before this returns and an entry is
// never overwritten: two changes starting at the same moment get two names. Returns 0 and the
// entry's id, or the system's error.
DWORD RecordHistory(const std::string& folder, std::uint64_t startUtc, std::string_view journal, std::string& id);

// Every entry, newest first.
std::vector<HistoryEntry> ListHistory(const std::string& folder);

// Removes the oldest entries until at most limits.entries entries and limits.bytes bytes are
// left; the entry `keep` (the one just written) is never removed.
void PruneHistory(const std::string& folder, const HistoryLimits& limits, const std::string& keep);

// Marks an entry as taken back. Returns 0 or the system's error (ERROR_FILE_EXISTS: it was
// marked already).
DWORD MarkUndone(const std::string& folder, const std::string& id);

// Removes one entry (a change that in the end changed nothing), or every entry.
DWORD RemoveHistoryEntry(const std::string& folder, const std::string& id);
DWORD ClearHistory(const std::string& folder);

}  // namespace core
