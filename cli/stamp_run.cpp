#include "cli/stamp_run.h"

#include "cli/change_report.h"
#include "cli/history_record.h"
#include "cli/journal.h"
#include "cli/platform_time.h"
#include "cli/program.h"
#include "cli/stop_request.h"
#include "cli/volume_precision.h"
#include "core/system_error.h"
#include "core/text_encoding.h"
#include "core/whole_file.h"

namespace cli {
namespace {

int ExitStatus(const RunReport& report) { return report.failures() > 0 ? kExitFailed : kExitDone; }

int DryRun(const std::vector<StampTarget>& targets, const StampOptions& options, RunReport& report) {
  std::size_t wouldChange = 0;
  for (const StampTarget& target : targets) {
    report.Out(FormatDryRun(target.shown, target.before, target.change, OffsetByPlatform, target.sources));
    if (!target.change.empty()) ++wouldChange;
  }
  report.Out(
      FormatDryRunSummary(targets.size() + report.failures(), wouldChange, report.failures(), options.linksNotEntered));
  return ExitStatus(report);
}

// Records what every path to be changed holds now, exactly, and what it is to hold, for undo.
bool WriteJournal(const std::vector<StampTarget>& targets, const std::string& journal, RunReport& report) {
  auto text = FormatJournal(JournalOf(targets));
  if (!text) {
    report.Error(NothingChanged("--journal: " + text.error()));
    return false;
  }
  if (const DWORD error = core::WriteNewFileDurably(journal, *text)) {
    const std::string reason = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS
                                   ? std::string(kJournalExists)
                                   : core::SystemErrorText(error);
    report.Error(NothingChanged("--journal '" + journal + "': " + reason));
    return false;
  }
  return true;
}

// A write that failed may still have changed part of what was asked.
bool Touched(const StampTarget& target) {
  const core::ExactRead now = core::ReadExactStampAt(target.platform);
  return !now.stamp || *now.stamp != target.before;
}

}  // namespace

Journal JournalOf(const std::vector<StampTarget>& targets) {
  Journal record;
  for (const StampTarget& target : targets) {
    if (target.change.empty()) continue;
    record.entries.push_back({core::WideToUtf8(target.platform), target.before, target.change});
  }
  return record;
}

int RunStamping(const std::vector<StampTarget>& targets, const std::vector<std::wstring>& folders,
                const StampOptions& options, RunReport& report) {
  if (options.dryRun) return DryRun(targets, options, report);
  if (!options.journal.empty() && !WriteJournal(targets, options.journal, report)) return kExitUsage;
  if (options.history) options.history->Begin(targets, report);
  bool changed = false;

  VolumePrecisions precisions;
  std::size_t stamped = 0;
  std::size_t reached = 0;
  for (; reached < targets.size() && !StopRequested(); ++reached) {
    const StampTarget& target = targets[reached];
    const std::size_t i = reached;
    report.Progress(i, targets.size(), target.shown);
    if (target.change.empty()) {
      ++stamped;  // it already holds what was asked
      continue;
    }
    if (const DWORD error = core::WriteStampAt(target.platform, target.change)) {
      report.Failed(target.shown, core::SystemErrorText(error));
      if (options.history && !changed) changed = Touched(target);
      continue;
    }
    changed = true;
    const core::ExactRead after = core::ReadExactStampAt(target.platform);
    if (!after.stamp) {
      report.Failed(target.shown, "written, but cannot be read back: " + core::SystemErrorText(after.error));
      continue;
    }
    const PathState state = *after.stamp;
    const auto lost = FindNotKept(target.change, state, precisions.For(folders[target.folder]));
    if (!lost.empty()) {
      report.Failed(target.shown, FormatNotKept(lost, target.change, state, OffsetByPlatform));
      continue;
    }
    ++stamped;
  }
  if (options.history) options.history->Finish(changed);
  report.Finish();
  const bool stopped = reached < targets.size();
  if (stopped) report.Error(FormatStopped(targets.size() - reached));
  if (!options.quiet) report.Out(FormatSummary(stamped, report.failures(), options.linksNotEntered));
  return stopped ? kExitFailed : ExitStatus(report);
}

}  // namespace cli
