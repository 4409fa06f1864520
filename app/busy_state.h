#pragma once

#include <windows.h>

namespace app {

// A window's busy state, kept in one place: its settings group disabled (the group's controls
// become inert without being drawn grey) together with a working flag of its own, which still
// says busy should something enable the group meanwhile. A Scope enters both and leaves both
// on every way out, so no early return or exception can leave the window stuck, nor believing
// it is still at work.
class BusyState {
 public:
  BusyState() = default;
  BusyState(const BusyState&) = delete;
  BusyState& operator=(const BusyState&) = delete;

  // The group whose disabled state is the busy state; given once the window has its controls.
  void SetGroup(HWND group) noexcept { group_ = group; }
  bool IsBusy() const noexcept { return working_ || (group_ && !IsWindowEnabled(group_)); }

  class [[nodiscard]] Scope {
   public:
    explicit Scope(BusyState& state) noexcept : state_(state), outermost_(!state.working_) {
      state_.working_ = true;
      if (state_.group_) EnableWindow(state_.group_, FALSE);
    }
    // A scope inside another leaves the state to the outer one.
    ~Scope() {
      if (!outermost_) return;
      if (state_.group_) EnableWindow(state_.group_, TRUE);
      state_.working_ = false;
    }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    BusyState& state_;
    bool outermost_;
  };

 private:
  HWND group_ = nullptr;
  bool working_ = false;
};

}  // namespace app
