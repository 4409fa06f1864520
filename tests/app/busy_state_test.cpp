#include "app/busy_state.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace app {
namespace {

// A hidden window with a group box, as the batch window has its settings group.
class GroupWindow {
 public:
  GroupWindow()
      : top_(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr)),
        group_(
            CreateWindowExA(0, "BUTTON", "", WS_CHILD | BS_GROUPBOX, 0, 0, 90, 90, top_, nullptr, nullptr, nullptr)) {}
  ~GroupWindow() { DestroyWindow(top_); }
  HWND group() const { return group_; }

 private:
  HWND top_;
  HWND group_;
};

TEST(BusyState, AScopeDisablesTheGroupAndMarksTheWorkTogetherAndUndoesBoth) {
  GroupWindow window;
  BusyState state;
  state.SetGroup(window.group());
  {
    const BusyState::Scope busy(state);
    EXPECT_TRUE(state.IsBusy());
    EXPECT_FALSE(IsWindowEnabled(window.group()));
    // Something enabling the group meanwhile does not end the work.
    EnableWindow(window.group(), TRUE);
    EXPECT_TRUE(state.IsBusy());
  }
  EXPECT_FALSE(state.IsBusy());
  EXPECT_TRUE(IsWindowEnabled(window.group()));
}

TEST(BusyState, EveryWayOutOfTheWorkLeavesTheBusyState) {
  GroupWindow window;
  BusyState state;
  state.SetGroup(window.group());
  EXPECT_THROW(
      {
        const BusyState::Scope busy(state);
        throw std::runtime_error("work failed");
      },
      std::runtime_error);
  EXPECT_FALSE(state.IsBusy());
  EXPECT_TRUE(IsWindowEnabled(window.group()));
}

TEST(BusyState, AnInnerScopeLeavesTheStateToTheOuterOne) {
  GroupWindow window;
  BusyState state;
  state.SetGroup(window.group());
  {
    const BusyState::Scope outer(state);
    { const BusyState::Scope inner(state); }
    EXPECT_TRUE(state.IsBusy());
    EXPECT_FALSE(IsWindowEnabled(window.group()));
  }
  EXPECT_FALSE(state.IsBusy());
}

}  // namespace
}  // namespace app
