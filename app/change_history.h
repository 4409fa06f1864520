#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/attribute_set.h"
#include "core/change_history.h"
#include "core/file_stamp.h"
#include "core/local_date_time.h"

namespace app {

// What a window was asked to do, as its history entry names it:
// "filestamp batch: modified := 2024-05-01 12:00:00, =H". Times left as they are are not
// named; the flags are the whole new set, written as fstamp's --attrib takes them ("=RA",
// "=" for none).
std::string DescribeStampRequest(const std::string& window, const core::LocalDateTime& creation,
                                 const core::LocalDateTime& modification, const core::LocalDateTime& access,
                                 core::AttributeSet attributes);

// A window's change in the history, written before the first write: the paths planned to
// change (those that change nothing are not recorded; with none there is no entry). When the
// history is turned off or cannot be written the change goes ahead just the same and the
// window says nothing about it.
class WindowChangeRecord {
 public:
  explicit WindowChangeRecord(std::string asked) : asked_(std::move(asked)) {}

  void Add(const core::StampPlan& plan);
  // Before the first write.
  void Begin();
  // After the last: whether any path changed.
  void Finish(bool changed);

 private:
  std::string asked_;
  std::vector<core::JournalEntry> entries_;
  std::optional<core::ChangeRecord> record_;
};

}  // namespace app
