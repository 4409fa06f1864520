#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "core/text_encoding.h"

namespace testing_support {

// Sets (or, with no value, removes) an environment variable of this process, which the
// programs it starts inherit, for the object's lifetime.
class ScopedVariable {
 public:
  ScopedVariable(const wchar_t* name, const std::optional<std::string>& value) : name_(name) {
    wchar_t old[1024];
    const DWORD length = GetEnvironmentVariableW(name, old, 1024);
    if (length > 0 && length < 1024) old_ = std::wstring(old, length);
    SetEnvironmentVariableW(name, value ? core::Utf8ToWide(*value).c_str() : nullptr);
  }
  ~ScopedVariable() { SetEnvironmentVariableW(name_, old_ ? old_->c_str() : nullptr); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const wchar_t* name_;
  std::optional<std::wstring> old_;
};

}  // namespace testing_support
