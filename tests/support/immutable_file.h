#pragma once

#include <string>

namespace testing_support {

// Makes a real file refuse every change while the object lives: the Linux side's `chattr +i`,
// which even root cannot get past (no new times, no new flags, no writing; in a folder, no new
// entries). Only possible
// under Wine on a file system with that flag; locked() tells, and a test skips without it.
class ImmutableFile {
 public:
  explicit ImmutableFile(std::string path);
  ~ImmutableFile();
  ImmutableFile(const ImmutableFile&) = delete;
  ImmutableFile& operator=(const ImmutableFile&) = delete;

  bool locked() const { return locked_; }

 private:
  std::string path_;
  bool locked_ = false;
};

}  // namespace testing_support
