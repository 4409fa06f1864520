// fstamp set: reads every path first (and the --like file), plans each change from what the
// path holds, then hands the plan to RunStamping.
#include "cli/change_report.h"
#include "cli/media_file.h"
#include "cli/path_walk.h"
#include "cli/platform_time.h"
#include "cli/program.h"
#include "cli/stamp_run.h"
#include "core/system_error.h"

namespace cli {

int RunSet(const Command& command, const Streams& streams) {
  RunReport report(streams);
  // Checked again when it is written; asking now spares reading every path first.
  if (!command.journal.empty() && core::ReadExactStamp(command.journal).stamp) {
    report.Error(NothingChanged("--journal '" + command.journal + "': " + std::string(kJournalExists)));
    return kExitUsage;
  }
  std::optional<PathState> like;
  if (!command.likeFile.empty()) {
    const core::ExactRead read = core::ReadExactStamp(command.likeFile);
    if (!read.stamp) {
      report.Error(NothingChanged("--like '" + command.likeFile + "': " + core::SystemErrorText(read.error)));
      return kExitUsage;
    }
    like = StateOf(*read.stamp);
  }
  const auto request = MakeSetRequest(command, like, NowUtc(), LocalToUtcByPlatform);
  if (!request) {
    report.Error(NothingChanged(request.error()));
    return kExitUsage;
  }

  std::vector<StampTarget> targets;
  WalkOptions options;
  options.depth = command.depth;
  options.entriesFirst = true;
  options.freshReads = true;
  options.once = command.paths.size() > 1;
  PathWalker walker(
      options,
      [&](WalkItem&& item) {
        report.Progress(targets.size(), 0, item.shown);
        const PathDates dates = ReadPathDates(*request, item, NowUtc());
        auto change = PlanSet(*request, StateOf(item.stamp), dates);
        if (!change) {
          report.Failed(item.shown, change.error());
          return;
        }
        targets.push_back({std::move(item.shown), std::move(item.platform), item.stamp, *change, item.root,
                           DateSources(*request, dates)});
      },
      [&](const std::string& shown, const std::string& reason) { report.Failed(shown, reason); });
  for (const std::string& path : command.paths) walker.Walk(path);

  StampOptions stamping;
  stamping.dryRun = command.dryRun;
  stamping.quiet = command.quiet;
  stamping.journal = command.journal;
  return RunStamping(targets, walker.roots(), stamping, report);
}

}  // namespace cli
