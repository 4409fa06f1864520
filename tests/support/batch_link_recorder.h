#pragma once

#include <string>
#include <vector>

namespace testing_support {

// Stands in for the batch window behind app::ConnectBatchWindow while it lives, and records
// what is asked of it: how often it was opened and every list of paths handed to it.
class BatchLinkRecorder {
 public:
  // isOpen: whether the stand-in batch window counts as open from the start; opens: whether
  // opening it succeeds.
  explicit BatchLinkRecorder(bool isOpen = false, bool opens = true);
  ~BatchLinkRecorder();
  BatchLinkRecorder(const BatchLinkRecorder&) = delete;
  BatchLinkRecorder& operator=(const BatchLinkRecorder&) = delete;

  bool isOpen() const { return isOpen_; }
  int opened() const { return opened_; }
  const std::vector<std::vector<std::string>>& handed() const { return handed_; }

 private:
  bool isOpen_;
  bool opens_;
  int opened_ = 0;
  std::vector<std::vector<std::string>> handed_;
};

}  // namespace testing_support
