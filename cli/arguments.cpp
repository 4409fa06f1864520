#include "cli/arguments.h"

#include <charconv>

namespace cli {
namespace {

enum class Option {
  Created,
  Modified,
  Accessed,
  All,
  Like,
  Attrib,
  Recursive,
  Depth,
  DryRun,
  Force,
  Journal,
  Quiet,
  NoHistory,
  Last,
  Clear,
  Format,
  Help,
  Version,
  Taken
};

constexpr unsigned kForShow = 1;
constexpr unsigned kForSet = 2;
constexpr unsigned kForUndo = 4;
constexpr unsigned kForHistory = 8;
constexpr unsigned kForAll = kForShow | kForSet | kForUndo | kForHistory;

struct OptionInfo {
  Option id;
  std::string_view shortName;  // empty: none
  std::string_view longName;
  std::string_view valueName;  // empty: a flag without value
  unsigned verbs;
};

constexpr OptionInfo kOptions[] = {
    {Option::Created, "-c", "--created", "WHEN", kForSet},
    {Option::Modified, "-m", "--modified", "WHEN", kForSet},
    {Option::Accessed, "-a", "--accessed", "WHEN", kForSet},
    {Option::All, "", "--all", "WHEN", kForSet},
    {Option::Like, "", "--like", "FILE", kForSet},
    {Option::Attrib, "", "--attrib", "SPEC", kForSet},
    {Option::Recursive, "-r", "--recursive", "", kForShow | kForSet},
    {Option::Depth, "", "--depth", "N", kForShow | kForSet},
    {Option::DryRun, "", "--dry-run", "", kForSet | kForUndo},
    {Option::Force, "", "--force", "", kForUndo},
    {Option::Journal, "", "--journal", "FILE", kForSet},
    {Option::Quiet, "-q", "--quiet", "", kForSet},
    {Option::NoHistory, "", "--no-history", "", kForSet},
    {Option::Last, "", "--last", "", kForUndo},
    {Option::Clear, "", "--clear", "", kForHistory},
    {Option::Format, "", "--format", "table|csv|json", kForShow},
    {Option::Help, "", "--help", "", kForAll},
    {Option::Version, "", "--version", "", kForAll},
    {Option::Taken, "", "--taken", "", kForShow},
};

const OptionInfo* FindOption(std::string_view name) {
  for (const OptionInfo& option : kOptions) {
    if (name == option.longName || (!option.shortName.empty() && name == option.shortName)) return &option;
  }
  return nullptr;
}

unsigned VerbBit(Verb verb) {
  switch (verb) {
    case Verb::Set:
      return kForSet;
    case Verb::Undo:
      return kForUndo;
    case Verb::History:
      return kForHistory;
    default:
      return kForShow;
  }
}

std::string_view VerbName(Verb verb) {
  switch (verb) {
    case Verb::Set:
      return "set";
    case Verb::Undo:
      return "undo";
    case Verb::History:
      return "history";
    default:
      return "show";
  }
}

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

Error Fail(std::string message) { return Error{std::move(message)}; }

// True when the argument reads as a time of day ("12:00", "08:30:15.5+02:00"): after a date-only
// WHEN it is almost surely the second half of a date and time the shell split at the blank.
bool LooksLikeTimeOfDay(std::string_view argument) {
  return !argument.empty() && argument[0] >= '0' && argument[0] <= '9' &&
         ParseWhen("2000-01-01T" + std::string(argument)).has_value();
}

// The parse in progress: what has been seen so far, before the checks across options.
struct State {
  Command command;
  unsigned seen = 0;  // bit per Option
  std::optional<When> all;
  std::optional<std::string> attribWord;  // --attrib's SPEC, as given
  bool recursive = false;
  bool depthGiven = false;
  std::string_view dateOnlyOption;  // the option whose WHEN was just a date, for the hint above
};

std::optional<Error> ApplyWhen(State& state, const OptionInfo& option, std::string_view name, std::string_view value) {
  auto when = ParseWhen(value);
  if (!when) return Fail(std::string(name) + " " + Quoted(value) + ": " + when.error());
  const bool dateOnly =
      std::holds_alternative<LocalTime>(*when) && value.find_first_of("Tt ") == std::string_view::npos;
  state.dateOnlyOption = dateOnly ? name : std::string_view();
  switch (option.id) {
    case Option::Created:
      state.command.creation = *when;
      break;
    case Option::Modified:
      state.command.modification = *when;
      break;
    case Option::Accessed:
      state.command.access = *when;
      break;
    default:
      state.all = *when;
  }
  return std::nullopt;
}

std::optional<Error> ApplyValue(State& state, const OptionInfo& option, std::string_view name, std::string_view value) {
  Command& command = state.command;
  switch (option.id) {
    case Option::Created:
    case Option::Modified:
    case Option::Accessed:
    case Option::All:
      return ApplyWhen(state, option, name, value);
    case Option::Depth: {
      int depth = 0;
      const auto [end, status] = std::from_chars(value.data(), value.data() + value.size(), depth);
      if (value.empty() || status != std::errc() || end != value.data() + value.size() || depth < 0) {
        return Fail(std::string(name) + " " + Quoted(value) + ": expected a whole number, 0 or more");
      }
      command.depth = depth;
      state.depthGiven = true;
      return std::nullopt;
    }
    case Option::Format:
      if (value == "table") {
        command.format = OutputFormat::Table;
      } else if (value == "csv") {
        command.format = OutputFormat::Csv;
      } else if (value == "json") {
        command.format = OutputFormat::Json;
      } else {
        return Fail(std::string(name) + " " + Quoted(value) + ": expected table, csv or json");
      }
      return std::nullopt;
    case Option::Like:
    case Option::Journal:
      if (value.empty()) return Fail(std::string(name) + " needs a FILE, not an empty value");
      (option.id == Option::Like ? command.likeFile : command.journal) = std::string(value);
      return std::nullopt;
    case Option::Attrib:
      state.attribWord = std::string(value);
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

void ApplyFlag(State& state, Option id) {
  switch (id) {
    case Option::Recursive:
      state.recursive = true;
      state.command.depth = kUnlimitedDepth;
      break;
    case Option::DryRun:
      state.command.dryRun = true;
      break;
    case Option::Force:
      state.command.force = true;
      break;
    case Option::Quiet:
      state.command.quiet = true;
      break;
    case Option::Taken:
      state.command.taken = true;
      break;
    case Option::NoHistory:
      state.command.noHistory = true;
      break;
    case Option::Last:
      state.command.last = true;
      break;
    case Option::Clear:
      state.command.clear = true;
      break;
    default:
      break;
  }
}

// The checks that span options, once every argument is read.
std::optional<Error> Finish(State& state) {
  Command& command = state.command;
  if (state.recursive && state.depthGiven) return Fail("-r and --depth cannot be used together");

  if (command.verb == Verb::History) {
    if (!command.paths.empty()) return Fail("history takes no PATH");
    return std::nullopt;
  }

  if (command.verb == Verb::Undo) {
    if (command.last) {
      if (!command.paths.empty()) return Fail("undo --last takes no JOURNAL or ID");
      return std::nullopt;
    }
    if (command.paths.empty()) return Fail("undo needs a JOURNAL, an ID or --last");
    if (command.paths.size() > 1) {
      return Fail("undo takes one JOURNAL or ID, not " + std::to_string(command.paths.size()) + " arguments");
    }
    command.journal = std::move(command.paths.front());
    command.paths.clear();
    return std::nullopt;
  }

  if (command.verb == Verb::Set) {
    if (state.attribWord) {
      auto spec = ParseAttribSpec({*state.attribWord});
      if (!spec) return Fail("--attrib: " + spec.error());
      command.attrib = *spec;
    }
    const bool allThree = command.creation && command.modification && command.access;
    if (state.all && !command.likeFile.empty()) return Fail("--all and --like cannot be used together");
    if (allThree && !command.likeFile.empty()) {
      return Fail("--like has no time left to give: -c, -m and -a set all three");
    }
    if (state.all) {
      for (std::optional<When>* slot : {&command.creation, &command.modification, &command.access}) {
        if (!*slot) *slot = state.all;
      }
    }
    if (!command.creation && !command.modification && !command.access && command.likeFile.empty() && !command.attrib) {
      return Fail("set has nothing to change: give -c, -m, -a, --all, --like or --attrib");
    }
    if (!command.journal.empty() && command.dryRun) {
      return Fail("--journal cannot be used with --dry-run (a dry run changes nothing to undo)");
    }
    if (command.quiet && command.dryRun) return Fail("-q cannot be used with --dry-run (a dry run only prints)");
  }

  if (command.paths.empty()) return Fail("no PATH given");
  return std::nullopt;
}

}  // namespace

Result<Command> ParseArguments(const std::vector<std::string>& args) {
  State state;
  Command& command = state.command;
  std::size_t i = 0;
  if (!args.empty() && args[0] == "sendto") {
    // Nothing else goes with it: the two words are the whole command.
    if (args.size() != 2 || (args[1] != "install" && args[1] != "remove"))
      return Fail("sendto takes one word: install or remove");
    command.verb = Verb::SendTo;
    command.sendTo = args[1] == "install" ? SendToAction::Install : SendToAction::Remove;
    return command;
  }
  if (!args.empty()) {
    if (args[0] == "show" || args[0] == "set" || args[0] == "undo" || args[0] == "history") {
      command.verb = args[0] == "set"       ? Verb::Set
                     : args[0] == "undo"    ? Verb::Undo
                     : args[0] == "history" ? Verb::History
                                            : Verb::Show;
      ++i;
    }
  }

  bool optionsEnded = false;
  while (i < args.size()) {
    const std::string_view argument = args[i++];
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
      continue;
    }
    // "--attrib +h -s" or "--attrib +h +s": a second attribute change, which the SPEC never takes.
    if (!optionsEnded && state.attribWord && LooksLikeAttribChange(argument) && FindOption(argument) == nullptr) {
      return Fail(Quoted(argument) + " after --attrib " + *state.attribWord +
                  " looks like another attribute change: SPEC is one word, e.g. --attrib " + *state.attribWord +
                  std::string(argument));
    }
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      if (argument.empty()) return Fail("a PATH is empty");
      if (!state.dateOnlyOption.empty() && LooksLikeTimeOfDay(argument)) {
        return Fail(Quoted(argument) + " after the date of " + std::string(state.dateOnlyOption) +
                    " looks like a time of day: write date and time as one argument, joined by T or quoted "
                    "with the blank");
      }
      state.dateOnlyOption = {};
      command.paths.emplace_back(argument);
      continue;
    }
    state.dateOnlyOption = {};

    std::string_view name = argument;
    std::optional<std::string_view> inlineValue;
    if (argument.substr(0, 2) == "--") {
      if (const std::size_t equals = argument.find('='); equals != std::string_view::npos) {
        name = argument.substr(0, equals);
        inlineValue = argument.substr(equals + 1);
      }
    }
    const OptionInfo* option = FindOption(name);
    if (option == nullptr) {
      return Fail("unknown option " + Quoted(name) + " (a PATH that begins with '-' goes after --)");
    }
    if ((option->verbs & VerbBit(command.verb)) == 0) {
      return Fail(std::string(name) + " is not an option of " + std::string(VerbName(command.verb)));
    }
    if (option->id == Option::Help || option->id == Option::Version) {
      Command alone;
      alone.verb = option->id == Option::Help ? Verb::Help : Verb::Version;
      return alone;
    }

    const unsigned bit = 1u << static_cast<unsigned>(option->id);
    if ((state.seen & bit) != 0) {
      return Fail(std::string(name) + " is given more than once");
    }
    state.seen |= bit;

    if (option->valueName.empty()) {
      if (inlineValue) return Fail(std::string(name) + " takes no value");
      ApplyFlag(state, option->id);
      continue;
    }
    std::string_view value;
    if (inlineValue) {
      value = *inlineValue;
    } else if (i < args.size()) {
      // -r and -a stay options even here; the other sign-letter words are the SPEC.
      if (option->id == Option::Attrib && FindOption(args[i]) != nullptr) {
        return Fail(std::string(name) + " needs a SPEC, but " + Quoted(args[i]) +
                    " is an option: write the flag in capitals (-R, -A) or join it with '=' (--attrib=" + args[i] +
                    ")");
      }
      value = args[i++];
    } else {
      return Fail(std::string(name) + " needs a value: " + std::string(option->valueName));
    }
    if (auto error = ApplyValue(state, *option, name, value)) return *error;
  }

  if (auto error = Finish(state)) return *error;
  return command;
}

const std::string_view kHelp =
    "fstamp shows and changes the creation, modification and access times and the\n"
    "read-only (R), hidden (H), system (S) and archive (A) flags of files and folders.\n"
    "\n"
    "  fstamp [show] PATH...       size, times and flags of each PATH\n"
    "      --format table|csv|json   table for people (default), csv or json for programs\n"
    "      --taken                   add the date taken (photos, videos) and where it came from\n"
    "  fstamp set PATH...          change only what is asked\n"
    "      -c, --created WHEN        creation time\n"
    "      -m, --modified WHEN       modification time\n"
    "      -a, --accessed WHEN       access time\n"
    "      --all WHEN                all three (-c, -m, -a still win)\n"
    "      --like FILE               every time not given otherwise, from FILE\n"
    "      --attrib SPEC             one word: +R-H, +rh-s (any case), =RA exactly, = none\n"
    "      --dry-run                 print old -> new, change nothing\n"
    "      --journal FILE            record every path's times and flags first, for undo\n"
    "      --no-history              keep no history entry of this run (see below)\n"
    "      -q, --quiet               print only errors\n"
    "  fstamp undo [--dry-run] [--force] JOURNAL | ID | --last\n"
    "                              put back what set changed, on each path that still holds\n"
    "                              what set wrote; --force also over later changes\n"
    "  fstamp history [--clear]    list the history, newest first, or remove it all\n"
    "  fstamp sendto install | remove    add filestamp.exe (beside fstamp.exe) to Explorer's\n"
    "                                    Send To menu, or take it out again\n"
    "\n"
    "  -r, --recursive             every level below a folder (links and junctions are\n"
    "                              stamped themselves, never entered)\n"
    "  --depth N                   N levels below (0: the path itself)\n"
    "  --                          everything after is a PATH\n"
    "  PATH may end in a name with * and ?, expanded in name order.\n"
    "\n"
    "WHEN is one of\n"
    "  2024-05-01, \"2024-05-01 12:00\", 2024-05-01T12:00:00.1234567   local time\n"
    "  2024-05-01T04:00:00Z, 2024-05-01T12:00+08:00                   an exact instant\n"
    "  now\n"
    "  +1d, -2h30m, +90s            shift the path's own time (units d h m s)\n"
    "  created, modified, accessed  another of the path's times, as it was before\n"
    "  taken, taken+2h              when the photo or video was made, from its EXIF or\n"
    "                               QuickTime data (JPEG, TIFF and raws, PNG, WebP, HEIC,\n"
    "                               AVIF, MP4, MOV); a shift may follow\n"
    "  name, name-1h                the date in the file's name (IMG_20240501_123456,\n"
    "                               Screenshot_2024-05-01-12-34-56, ...); a shift may follow\n"
    "A local time the clocks skip or show twice (daylight saving) needs an offset or Z.\n"
    "\n"
    "History: every set that changes something, and every change made in FileStamp's\n"
    "windows, first records what each path held in\n"
    "%LOCALAPPDATA%\\FileStamp\\history,\n"
    "which keeps the newest 100 changes (256 MB at most). 'fstamp history' lists them;\n"
    "'fstamp undo --last' takes back the newest, 'fstamp undo ID' any other. An entry is\n"
    "marked undone only when every path was put back; one whose paths were left alone\n"
    "can be tried again with --force. Undoing an entry twice is refused (status 2), and\n"
    "--last never reaches past an undone newest entry to an older one. --no-history or\n"
    "FILESTAMP_NO_HISTORY=1 in the environment turn the recording off.\n"
    "\n"
    "Ctrl+C stops set and undo after the path in hand; a journal or the history entry\n"
    "undoes what was done.\n"
    "Exit status: 0 all done, 1 some PATH failed or the run was stopped, 2 the command\n"
    "line is wrong.\n";

std::string FormatUsageError(std::string_view message) {
  return "fstamp: " + std::string(message) + "\n" + std::string(kUsage) + "Try 'fstamp --help' for more.\n";
}

}  // namespace cli
