// fstamp show: size, times and flags of each path in a table, CSV or JSON.
#include "cli/media_file.h"
#include "cli/path_walk.h"
#include "cli/platform_time.h"
#include "cli/program.h"
#include "cli/run_report.h"
#include "cli/show_output.h"

namespace cli {
namespace {

LocalStamp LocalOf(std::uint64_t utc) {
  const Ticks offset = OffsetByPlatform(static_cast<Ticks>(utc));
  return {static_cast<Ticks>(utc) + offset, offset};
}

// The date taken of a file for show --taken; a local one is shown by the zone rule of its date.
void AddTaken(ShowRow& row, const WalkItem& item) {
  if ((item.stamp.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return;
  const auto found = ReadTakenDate(item.platform);
  if (!found) return;
  const PathDate date = MakePathDate(DateOrigin::Taken, found, LocalToUtcByPlatform);
  if (!date.utc) return;
  row.taken = LocalOf(static_cast<std::uint64_t>(*date.utc));
  row.takenSource = found->source;
}

ShowRow RowOf(const WalkItem& item) {
  ShowRow row;
  row.path = item.shown;
  if ((item.stamp.attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) row.size = item.stamp.size;
  row.creation = LocalOf(item.stamp.creation);
  row.modification = LocalOf(item.stamp.modification);
  row.access = LocalOf(item.stamp.access);
  row.attributes = static_cast<AttributeWord>(item.stamp.attributes);
  return row;
}

}  // namespace

int RunShow(const Command& command, const Streams& streams) {
  RunReport report(streams);
  std::vector<ShowRow> rows;
  WalkOptions options;
  options.depth = command.depth;
  options.once = command.paths.size() > 1;
  PathWalker walker(
      options,
      [&](WalkItem&& item) {
        report.Progress(rows.size(), 0, item.shown);
        rows.push_back(RowOf(item));
        if (command.taken) AddTaken(rows.back(), item);
      },
      [&](const std::string& shown, const std::string& reason) {
        ShowRow row;
        row.path = shown;
        row.error = reason;
        rows.push_back(std::move(row));
        report.Failed(shown, reason);
      });
  for (const std::string& path : command.paths) walker.Walk(path);

  report.Finish();
  switch (command.format) {
    case OutputFormat::Csv:
      report.Out(FormatCsv(rows, command.taken));
      break;
    case OutputFormat::Json:
      report.Out(FormatJson(rows, command.taken));
      break;
    case OutputFormat::Table:
      report.Out(FormatTable(rows, command.taken));
      break;
  }
  return report.failures() > 0 ? kExitFailed : kExitDone;
}

}  // namespace cli
