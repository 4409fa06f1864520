#pragma once

#include <functional>
#include <string>

#include "tests/support/recording_file_api.h"

namespace testing_support {

// A RecordingFileApi that also runs a test's code each time a path is opened for its times,
// the step where the stamp operations start to write: the way to act in the middle of a long
// run, as a user could between two rows.
class HookedFileApi : public RecordingFileApi {
 public:
  using Hook = std::function<void(const std::string& path)>;
  explicit HookedFileApi(Hook beforeOpen) : beforeOpen_(std::move(beforeOpen)) {}

  HANDLE OpenFile(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) override {
    if (beforeOpen_) beforeOpen_(path ? path : "");
    return RecordingFileApi::OpenFile(path, access, share, disposition, flags);
  }

 private:
  Hook beforeOpen_;
};

}  // namespace testing_support
