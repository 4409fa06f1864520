#include "cli/history_record.h"

#include "cli/journal.h"
#include "cli/stamp_run.h"

namespace cli {
namespace {

std::string Shown(std::string_view word) {
  std::string text;
  for (const char c : word) text += static_cast<unsigned char>(c) < 0x20 || c == 0x7f ? '?' : c;
  if (text.empty() || text.find(' ') != std::string::npos) text = "\"" + text + "\"";
  return text;
}

}  // namespace

std::string FormatAsked(const std::vector<std::string>& args) {
  std::string text = "fstamp";
  for (const std::string& arg : args) text += " " + Shown(arg);
  return text;
}

HistoryRecord::HistoryRecord(std::string folder, std::string asked)
    : record_(std::move(folder)), asked_(std::move(asked)) {}

void HistoryRecord::Begin(const std::vector<StampTarget>& targets, RunReport& report) {
  const std::string reason = record_.Begin(asked_, JournalOf(targets).entries);
  if (!reason.empty()) {
    report.Error("warning: this change is not recorded in the history ('fstamp undo --last' cannot take it back): " +
                 reason);
  }
}

void HistoryRecord::Finish(bool changed) { record_.Finish(changed); }

}  // namespace cli
