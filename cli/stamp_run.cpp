#include "cli/stamp_run.h"

#include "cli/change_report.h"
#include "cli/journal.h"
#include "cli/platform_time.h"
#include "cli/program.h"
#include "cli/volume_precision.h"
#include "core/system_error.h"
#include "core/text_encoding.h"
#include "core/whole_file.h"

namespace cli {
namespace {

int ExitStatus(const RunReport& report) { return report.failures() > 0 ? kExitFailed : kExitDone; }

int DryRun(const std::vector<StampTarget>& targets, RunReport& report) {
  std::size_t wouldChange = 0;
  for (const StampTarget& target : targets) {
    report.Out(FormatDryRun(target.shown, StateOf(target.before), target.change, OffsetByPlatform, target.sources));
    if (!target.change.empty()) ++wouldChange;
  }
  report.Out(FormatDryRunSummary(targets.size() + report.failures(), wouldChange, report.failures()));
  return ExitStatus(report);
}

// Records what every path to be changed holds now, exactly, for undo.
bool WriteJournal(const std::vector<StampTarget>& targets, const std::string& journal, RunReport& report) {
  std::vector<JournalEntry> entries;
  for (const StampTarget& target : targets) {
    if (target.change.empty()) continue;
    const core::ExactStamp& before = target.before;
    entries.push_back({core::WideToUtf8(target.platform), before.creation, before.access, before.write,
                       static_cast<AttributeWord>(before.attributes)});
  }
  auto text = FormatJournal(entries);
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

core::StampChange ToStampChange(const PlannedChange& change) {
  core::StampChange stamp;
  stamp.creation = change.creation;
  stamp.access = change.access;
  stamp.write = change.modification;
  if (change.flags) stamp.flags = static_cast<core::AttributeSet>(*change.flags);
  return stamp;
}

}  // namespace

PathState StateOf(const core::ExactStamp& stamp) {
  return {stamp.creation, stamp.write, stamp.access, static_cast<AttributeWord>(stamp.attributes)};
}

int RunStamping(const std::vector<StampTarget>& targets, const std::vector<std::wstring>& folders,
                const StampOptions& options, RunReport& report) {
  if (options.dryRun) return DryRun(targets, report);
  if (!options.journal.empty() && !WriteJournal(targets, options.journal, report)) return kExitUsage;

  VolumePrecisions precisions;
  std::size_t stamped = 0;
  for (std::size_t i = 0; i < targets.size(); ++i) {
    const StampTarget& target = targets[i];
    report.Progress(i, targets.size(), target.shown);
    if (target.change.empty()) {
      ++stamped;  // it already holds what was asked
      continue;
    }
    const WIN32_FILE_ATTRIBUTE_DATA current = core::ToAttributeData(target.before);
    if (const DWORD error = core::WriteStampOver(target.platform, current, ToStampChange(target.change))) {
      report.Failed(target.shown, core::SystemErrorText(error));
      continue;
    }
    const core::ExactRead after = core::ReadExactStampAt(target.platform);
    if (!after.stamp) {
      report.Failed(target.shown, "written, but cannot be read back: " + core::SystemErrorText(after.error));
      continue;
    }
    const PathState state = StateOf(*after.stamp);
    const auto lost = FindNotKept(target.change, state, precisions.For(folders[target.folder]));
    if (!lost.empty()) {
      report.Failed(target.shown, FormatNotKept(lost, target.change, state, OffsetByPlatform));
      continue;
    }
    ++stamped;
  }
  report.Finish();
  if (!options.quiet) report.Out(FormatSummary(stamped, report.failures()));
  return ExitStatus(report);
}

}  // namespace cli
