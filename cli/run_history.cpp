// fstamp history: the changes both programs recorded, newest first; fstamp undo --last / ID:
// takes one of them back with the rules of undo, then marks it undone.
#include <algorithm>

#include "cli/change_report.h"
#include "cli/history_record.h"
#include "cli/journal.h"
#include "cli/platform_time.h"
#include "cli/program.h"
#include "cli/time_ticks.h"
#include "core/history_store.h"
#include "core/system_error.h"
#include "core/whole_file.h"

namespace cli {
namespace {

// The entry's start time (the UTC time its id is made of) as local time for people.
std::string WhenOf(const std::string& id) {
  if (!core::IsHistoryId(id)) return "?";  // a file of another name in the folder
  const auto number = [&](std::size_t from, std::size_t count) { return std::stoi(id.substr(from, count)); };
  CivilTime utc{number(0, 4),  number(4, 2),  number(6, 2),          number(9, 2),
                number(11, 2), number(13, 2), number(16, 3) * 10'000};
  if (FindCivilTimeError(utc)) return "?";
  const Ticks ticks = TicksFromCivil(utc);
  return FormatShortTime(ticks + OffsetByPlatform(ticks));
}

struct Line {
  std::string id, when, program, asked, paths;
  bool undone = false;
};

// What one entry's journal says: which program, what was asked, how many paths.
Line Describe(const core::HistoryEntry& entry) {
  Line line{entry.id, WhenOf(entry.id), "?", "", "", entry.undone};
  std::string text;
  if (const DWORD error = core::ReadWholeFile(entry.path, text)) {
    line.asked = "(cannot be read: " + core::SystemErrorText(error) + ")";
    return line;
  }
  const auto journal = ParseJournal(text);
  if (!journal) {
    line.asked = "(damaged: " + journal.error() + ")";
    return line;
  }
  const std::size_t count = journal->entries.size();
  line.paths = std::to_string(count) + (count == 1 ? " path" : " paths");
  if (journal->origin) {
    const std::string& origin = *journal->origin;
    const std::size_t blank = origin.find(' ');
    line.program = origin.substr(0, blank);
    if (line.program.size() > 1 && line.program.back() == ':') line.program.pop_back();
    line.asked = blank == std::string::npos ? "" : origin.substr(blank + 1);
  }
  return line;
}

std::string Padded(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

}  // namespace

int RunHistory(const Command& command, const Streams& streams) {
  const std::string folder = core::HistoryFolder();
  if (command.clear) {
    const std::size_t count = core::ListHistory(folder).size();
    if (const DWORD error = core::ClearHistory(folder)) {
      streams.err.Write("fstamp: '" + folder + "': " + core::SystemErrorText(error) + "\n");
      return kExitFailed;
    }
    streams.out.Write(std::to_string(count) + (count == 1 ? " entry" : " entries") + " removed from '" + folder +
                      "'\n");
    return kExitDone;
  }
  std::vector<Line> lines;
  for (const core::HistoryEntry& entry : core::ListHistory(folder)) lines.push_back(Describe(entry));
  if (lines.empty()) {
    streams.out.Write("no changes recorded in '" + folder + "'\n");
    return kExitDone;
  }
  std::size_t programWidth = 0, askedWidth = 0;
  for (const Line& line : lines) {
    programWidth = std::max(programWidth, line.program.size());
    askedWidth = std::max(askedWidth, line.asked.size());
  }
  std::string text;
  for (const Line& line : lines) {
    std::string row = line.id + "  " + line.when + "  " + Padded(line.program, programWidth) + "  " +
                      Padded(line.asked, askedWidth) + "  " + line.paths + (line.undone ? "  undone" : "");
    while (!row.empty() && row.back() == ' ') row.pop_back();
    text += row + "\n";
  }
  streams.out.Write(text);
  return kExitDone;
}

int UndoHistoryEntry(const Command& command, const Streams& streams) {
  const std::string folder = core::HistoryFolder();
  const auto entries = core::ListHistory(folder);
  const auto refuse = [&](const std::string& reason) {
    streams.err.Write("fstamp: " + NothingChanged(reason) + "\n");
    return kExitUsage;
  };
  const auto entry = command.last ? entries.begin()
                                  : std::find_if(entries.begin(), entries.end(),
                                                 [&](const core::HistoryEntry& e) { return e.id == command.journal; });
  if (entry == entries.end()) {
    return refuse(command.last ? "the history in '" + folder + "' is empty"
                               : "no history entry " + command.journal + " in '" + folder + "'");
  }
  if (entry->undone) {
    return refuse("history entry " + entry->id + " was undone already" +
                  (command.last ? " (--last never reaches back to an older entry: name it by its ID)" : ""));
  }
  const int status = UndoJournal(entry->path, "history entry " + entry->id, command, streams);
  if (command.dryRun) return status;
  if (status == kExitDone) {
    if (const DWORD error = core::MarkUndone(folder, entry->id)) {
      streams.err.Write("fstamp: warning: history entry " + entry->id + " cannot be marked undone (" +
                        core::SystemErrorText(error) + ")\n");
    }
  } else if (status == kExitFailed) {
    streams.err.Write("fstamp: history entry " + entry->id +
                      " is not marked undone: not every path was put back (--force also puts back paths "
                      "changed since)\n");
  }
  return status;
}

}  // namespace cli
