#pragma once

#include <windows.h>

#include <string>

#include "core/win_handles.h"
#include "tests/support/file_state.h"

namespace testing_support {

// Keeps a file open without any sharing while it lives, as another program holding it
// exclusively would: other opens of the file fail with a sharing violation.
class HeldFile {
 public:
  explicit HeldFile(const std::string& path)
      : handle_(CreateFileW(WidePath(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr)) {}
  bool held() const { return static_cast<bool>(handle_); }
  void Release() { handle_.reset(); }

 private:
  core::UniqueFileHandle handle_;
};

}  // namespace testing_support
