#include "cli/program.h"

#include "cli/history_record.h"
#include "version.h"

namespace cli {

int RunProgram(const std::vector<std::string>& args, const Streams& streams) {
  auto command = ParseArguments(args);
  if (!command) {
    streams.err.Write(FormatUsageError(command.error()));
    return kExitUsage;
  }
  switch (command->verb) {
    case Verb::Help:
      streams.out.Write(std::string(kUsage) + "\n" + std::string(kHelp));
      return kExitDone;
    case Verb::Version:
      streams.out.Write("fstamp " FILESTAMP_VERSION "\n");
      return kExitDone;
    case Verb::Set:
      command->asked = FormatAsked(args);
      return RunSet(*command, streams);
    case Verb::Undo:
      return RunUndo(*command, streams);
    case Verb::History:
      return RunHistory(*command, streams);
    case Verb::SendTo:
      return RunSendTo(*command, streams);
    case Verb::Show:
      break;
  }
  return RunShow(*command, streams);
}

}  // namespace cli
