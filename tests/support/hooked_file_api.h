#pragma once

#include <functional>
#include <string>

#include "core/text_encoding.h"
#include "tests/support/recording_file_api.h"

namespace testing_support {

// A RecordingFileApi that also runs a test's code each time a path is opened (it gets the path
// in its platform form), the step where the stamp operations start to write: the way to act
// in the middle of a long run, as a user could between two rows.
class HookedFileApi : public RecordingFileApi {
 public:
  using Hook = std::function<void(const std::string& path)>;
  explicit HookedFileApi(Hook beforeOpen) : beforeOpen_(std::move(beforeOpen)) {}

  HANDLE OpenFile(const wchar_t* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) override {
    if (beforeOpen_) beforeOpen_(path ? core::WideToUtf8(path) : std::string());
    return RecordingFileApi::OpenFile(path, access, share, disposition, flags);
  }

 private:
  Hook beforeOpen_;
};

}  // namespace testing_support
