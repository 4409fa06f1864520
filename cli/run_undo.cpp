// fstamp undo: puts back what a journal recorded, all or nothing as far as reading it goes.
#include <unordered_map>

#include "cli/change_report.h"
#include "cli/journal.h"
#include "cli/path_text.h"
#include "cli/path_walk.h"
#include "cli/program.h"
#include "cli/stamp_run.h"
#include "core/file_api.h"
#include "core/system_error.h"
#include "core/whole_file.h"

namespace cli {

int RunUndo(const Command& command, const Streams& streams) {
  RunReport report(streams);
  std::string text;
  if (const DWORD error = core::ReadWholeFile(command.journal, text)) {
    report.Error(NothingChanged("'" + command.journal + "': " + core::SystemErrorText(error)));
    return kExitUsage;
  }
  const auto entries = ParseJournal(text);
  if (!entries) {
    report.Error(NothingChanged("'" + command.journal + "': " + entries.error()));
    return kExitUsage;
  }

  std::vector<StampTarget> targets;
  std::vector<std::wstring> folders;
  std::unordered_map<std::wstring, std::size_t> folderIndex;
  for (const JournalEntry& entry : *entries) {
    // The journal holds extended paths, which PlatformPath leaves exactly as they are.
    StampTarget target;
    target.shown = WithoutExtendedPrefix(entry.path);
    target.platform = core::PlatformPath(entry.path);
    report.Progress(targets.size(), 0, target.shown);
    const core::ExactRead read = core::ReadExactStampAt(target.platform);
    if (!read.stamp) {
      report.Failed(target.shown, core::SystemErrorText(read.error));
      continue;
    }
    target.before = *read.stamp;
    target.change = PlanUndo(entry, StateOf(target.before));
    const auto [place, added] = folderIndex.emplace(FolderOf(target.platform), folders.size());
    if (added) folders.push_back(place->first);
    target.folder = place->second;
    targets.push_back(std::move(target));
  }

  StampOptions stamping;
  stamping.dryRun = command.dryRun;
  return RunStamping(targets, folders, stamping, report);
}

}  // namespace cli
