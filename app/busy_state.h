#pragma once

#include <windows.h>

namespace app {

// A window is busy while its settings group is disabled: the group's controls become inert
// without being drawn grey. The scope re-enables the group on every way out.
class BusyScope {
 public:
  explicit BusyScope(HWND group) noexcept : group_(group) { EnableWindow(group_, FALSE); }
  ~BusyScope() { EnableWindow(group_, TRUE); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  HWND group_;
};

inline bool IsBusy(HWND group) noexcept { return !IsWindowEnabled(group); }

// Sets a flag while it lives and clears it on every way out, so that no early return or
// exception can leave a window believing it is still at work.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) noexcept : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace app
