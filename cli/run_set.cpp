// fstamp set: reads every path first (and the --like file), plans each change from what the
// path holds, then hands the plan to RunStamping.
#include "cli/change_report.h"
#include "cli/drive_relative.h"
#include "cli/history_record.h"
#include "cli/media_file.h"
#include "cli/path_walk.h"
#include "cli/platform_time.h"
#include "cli/program.h"
#include "cli/stamp_run.h"
#include "cli/stop_request.h"
#include "core/history_store.h"
#include "core/system_error.h"

namespace cli {

int RunSet(const Command& command, const Streams& streams) {
  const StopOnConsoleSignal stopOnSignal;  // outlives the report, whose end flushes the output
  RunReport report(streams);
  // Checked again when it is written; asking now spares reading every path first.
  const std::string journal = WithDriveFolder(command.journal);
  if (!journal.empty() && core::ReadExactStamp(journal).stamp) {
    report.Error(NothingChanged("--journal '" + command.journal + "': " + std::string(kJournalExists)));
    return kExitUsage;
  }
  std::optional<PathState> like;
  if (!command.likeFile.empty()) {
    const core::ExactRead read = core::ReadExactStamp(WithDriveFolder(command.likeFile));
    if (!read.stamp) {
      report.Error(NothingChanged("--like '" + command.likeFile + "': " + core::SystemErrorText(read.error)));
      return kExitUsage;
    }
    like = *read.stamp;
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
  options.stoppable = true;
  PathWalker walker(
      options,
      [&](WalkItem&& item) {
        report.Progress(targets.size(), 0, item.shown);
        const PathDates dates = ReadPathDates(*request, item, NowUtc());
        auto change = PlanSet(*request, item.stamp, dates);
        if (!change) {
          report.Failed(item.shown, change.error());
          return;
        }
        targets.push_back({std::move(item.shown), std::move(item.platform), item.stamp, *change, item.root,
                           DateSources(*request, dates)});
      },
      [&](const std::string& shown, const std::string& reason) { report.Failed(shown, reason); });
  for (const std::string& path : command.paths) {
    if (!walker.stopped()) walker.Walk(path);
  }
  if (walker.stopped()) {
    report.Error(NothingChanged("stopped on request while reading the paths"));
    return kExitFailed;
  }

  StampOptions stamping;
  stamping.dryRun = command.dryRun;
  stamping.quiet = command.quiet;
  stamping.journal = journal;
  stamping.linksNotEntered = walker.linksNotEntered();
  std::optional<HistoryRecord> history;
  if (!command.noHistory && !core::HistoryTurnedOff())
    stamping.history = &history.emplace(core::HistoryFolder(), command.asked);
  return RunStamping(targets, walker.roots(), stamping, report);
}

}  // namespace cli
