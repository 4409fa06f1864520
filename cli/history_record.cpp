#include "cli/history_record.h"

#include <windows.h>

#include <algorithm>

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

bool Digits(std::string_view text, std::size_t from, std::size_t count) {
  if (text.size() < from + count) return false;
  return std::all_of(text.begin() + from, text.begin() + from + count, [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string FormatAsked(const std::vector<std::string>& args) {
  std::string text = "fstamp";
  for (const std::string& arg : args) text += " " + Shown(arg);
  return text;
}

bool IsHistoryId(std::string_view text) {
  // YYYYMMDD-HHMMSS-mmm, then optionally -N
  if (text.size() < 19 || !Digits(text, 0, 8) || text[8] != '-' || !Digits(text, 9, 6) || text[15] != '-' ||
      !Digits(text, 16, 3)) {
    return false;
  }
  if (text.size() == 19) return true;
  return text[19] == '-' && text.size() > 20 && Digits(text, 20, text.size() - 20);
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
