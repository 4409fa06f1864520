#pragma once

#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/console.h"

namespace cli {

// Exit statuses: every path done and verified; at least one path failed or was not kept (the
// others are done); the command line is wrong, or a file it names cannot be used (nothing
// was changed).
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Runs fstamp with the arguments after the program's name (UTF-8); returns the exit status.
int RunProgram(const std::vector<std::string>& args, const Streams& streams);

// The verbs, for a command ParseArguments accepted.
int RunShow(const Command& command, const Streams& streams);
int RunSet(const Command& command, const Streams& streams);
int RunUndo(const Command& command, const Streams& streams);
int RunHistory(const Command& command, const Streams& streams);
int RunSendTo(const Command& command, const Streams& streams);

// undo of one journal file (`shown` names it in messages); undo of a history entry (--last or
// an ID), which marks the entry undone once every path is put back.
int UndoJournal(const std::string& path, const std::string& shown, const Command& command, const Streams& streams);
int UndoHistoryEntry(const Command& command, const Streams& streams);

}  // namespace cli
