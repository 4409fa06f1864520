#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/attrib_spec.h"
#include "cli/result.h"
#include "cli/when.h"

namespace cli {

enum class Verb { Show, Set, Undo, History, Help, Version, SendTo };
// sendto: put the program into Explorer's Send To menu, or take it out.
enum class SendToAction { Install, Remove };
enum class OutputFormat { Table, Csv, Json };

inline constexpr int kUnlimitedDepth = -1;

// What the command line asks for; ParseArguments has checked that it is complete and
// consistent, so running it needs no further validation of its own.
struct Command {
  Verb verb = Verb::Show;
  SendToAction sendTo = SendToAction::Install;  // sendto
  OutputFormat format = OutputFormat::Table;  // show
  // show: add the date taken and where it came from.
  bool taken = false;
  int depth = 0;  // levels below each PATH: 0 the path itself, 1 its direct entries, kUnlimitedDepth for -r

  // set: the value of each time, with --all already spread over the slots not given alone.
  // An empty slot takes likeFile's time when there is one, otherwise stays as it is.
  std::optional<When> creation;
  std::optional<When> modification;
  std::optional<When> access;
  std::string likeFile;  // empty: none
  std::optional<AttribSpec> attrib;
  bool dryRun = false;  // set, undo
  bool force = false;   // undo: also over paths changed since set wrote them
  bool quiet = false;   // set

  bool noHistory = false;  // set: record no history entry
  bool last = false;       // undo: the newest history entry instead of a JOURNAL
  bool clear = false;      // history: remove every entry
  // set: the command as given ("fstamp set -m now D:\Site"), for the history entry.
  std::string asked;

  // set: the journal to write before the first change (empty: none). undo: the journal to read,
  // or the history entry's ID (see core::IsHistoryId); empty with `last`.
  std::string journal;
  // show, set: at least one, in the order given, wildcards not yet expanded. undo: empty.
  std::vector<std::string> paths;
};

// Reads the arguments after the program's name. The first may be a verb (show, set, undo);
// without one the verb is show. Options may come before, between or after the paths; "--"
// ends them. Long options take their value as the next argument or after '=' (--depth=3).
// An option's value is the next argument whatever it looks like, so "-m -1h" works.
// --attrib's SPEC is exactly one word ("+R-H"); a later argument that looks like another
// attribute change (+H, -S) and is no option is an error, so -r and -a always keep their
// meaning as options. --help or --version returns at once, ignoring what follows. Every
// option may be given once. Fails, reading and changing nothing, with a message saying what
// is wrong.
Result<Command> ParseArguments(const std::vector<std::string>& args);

// The usage lines, shown with every command-line error.
inline constexpr std::string_view kUsage =
    "usage: fstamp [show] [--format table|csv|json] [--taken] [-r | --depth N] PATH...\n"
    "       fstamp set [-c WHEN] [-m WHEN] [-a WHEN] [--all WHEN] [--like FILE] [--attrib SPEC]\n"
    "                  [-r | --depth N] [--dry-run] [--journal FILE] [--no-history] [-q]\n"
    "                  PATH...\n"
    "       fstamp undo [--dry-run] [--force] JOURNAL | ID | --last\n"
    "       fstamp history [--clear]\n"
    "       fstamp sendto install | remove\n"
    "       fstamp --help | --version\n";

// The text of --help, printed after kUsage.
extern const std::string_view kHelp;

// What a command-line error prints: "fstamp: <message>", the usage lines and a pointer to --help.
std::string FormatUsageError(std::string_view message);

}  // namespace cli
