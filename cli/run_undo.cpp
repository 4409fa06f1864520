// fstamp undo: puts back what a journal recorded, all or nothing as far as reading it goes.
#include <unordered_map>

#include "cli/change_report.h"
#include "cli/drive_relative.h"
#include "cli/history_record.h"
#include "cli/journal.h"
#include "cli/path_text.h"
#include "cli/path_walk.h"
#include "cli/platform_time.h"
#include "cli/program.h"
#include "cli/stamp_run.h"
#include "cli/stop_request.h"
#include "cli/volume_precision.h"
#include "core/file_api.h"
#include "core/history_store.h"
#include "core/system_error.h"
#include "core/whole_file.h"

namespace cli {

int RunUndo(const Command& command, const Streams& streams) {
  if (command.last || core::IsHistoryId(command.journal)) return UndoHistoryEntry(command, streams);
  return UndoJournal(WithDriveFolder(command.journal), "'" + command.journal + "'", command, streams);
}

int UndoJournal(const std::string& path, const std::string& shown, const Command& command, const Streams& streams) {
  const StopOnConsoleSignal stopOnSignal;  // outlives the report, whose end flushes the output
  RunReport report(streams);
  std::string text;
  if (const DWORD error = core::ReadWholeFile(path, text)) {
    report.Error(NothingChanged(shown + ": " + core::SystemErrorText(error)));
    return kExitUsage;
  }
  const auto journal = ParseJournal(text);
  if (!journal) {
    report.Error(NothingChanged(shown + ": " + journal.error()));
    return kExitUsage;
  }

  std::vector<StampTarget> targets;
  std::vector<std::wstring> folders;
  std::unordered_map<std::wstring, std::size_t> folderIndex;
  VolumePrecisions precisions;
  for (const JournalEntry& entry : journal->entries) {
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
    const PathState now = target.before;
    const auto [place, added] = folderIndex.emplace(FolderOf(target.platform), folders.size());
    if (added) folders.push_back(place->first);
    target.folder = place->second;
    // What changed the path since set wrote it is newer than anything the journal holds.
    if (!command.force) {
      const auto changed = FindChangedSince(entry, now, precisions.For(folders[target.folder]));
      if (!changed.empty()) {
        report.Failed(target.shown, FormatChangedSince(changed, *entry.written, now, OffsetByPlatform));
        continue;
      }
    }
    target.change = PlanUndo(entry, now);
    targets.push_back(std::move(target));
  }

  StampOptions stamping;
  stamping.dryRun = command.dryRun;
  return RunStamping(targets, folders, stamping, report);
}

}  // namespace cli
