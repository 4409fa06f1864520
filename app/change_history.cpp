#include "app/change_history.h"

#include <utility>

#include "core/history_store.h"
#include "core/text_encoding.h"

namespace app {

std::string DescribeStampRequest(const std::string& window, const core::LocalDateTime& creation,
                                 const core::LocalDateTime& modification, const core::LocalDateTime& access,
                                 core::AttributeSet attributes) {
  std::string text = "filestamp " + window + ":";
  const char* separator = " ";
  const auto add = [&](const std::string& part) {
    text += separator + part;
    separator = ", ";
  };
  const std::pair<const char*, const core::LocalDateTime&> times[] = {
      {"created", creation}, {"modified", modification}, {"accessed", access}};
  for (const auto& [name, value] : times)
    if (!core::IsKeepTime(value)) add(std::string(name) + " := " + core::FormatLocalDateTime(value));
  if (attributes != core::KeepAttributes) {
    std::string flags = "=";
    for (const auto& [bit, letter] : {std::pair{core::kReadOnly, 'R'}, std::pair{core::kHidden, 'H'},
                                      std::pair{core::kSystem, 'S'}, std::pair{core::kArchive, 'A'}})
      if (attributes & bit) flags += letter;
    add(flags);
  }
  return text;
}

void WindowChangeRecord::Add(const core::StampPlan& plan) {
  if (plan.ChangesPath()) entries_.push_back({core::WideToUtf8(plan.platformPath), plan.before, plan.change});
}

void WindowChangeRecord::Begin() {
  if (entries_.empty() || core::HistoryTurnedOff()) return;
  record_.emplace(core::HistoryFolder());
  // A history that cannot be written changes nothing about the window's change or its texts.
  record_->Begin(asked_, std::move(entries_));
  entries_.clear();
}

void WindowChangeRecord::Finish(bool changed) {
  if (record_) record_->Finish(changed);
  record_.reset();
}

}  // namespace app
