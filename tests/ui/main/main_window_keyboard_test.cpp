// Keys at window level: access keys press enabled buttons only; Esc and Enter do nothing.
#include <gtest/gtest.h>

#include <optional>

#include "app/controls.h"
#include "tests/support/batch_link_recorder.h"
#include "tests/support/main_window_harness.h"
#include "tests/support/message_recorder.h"
#include "tests/support/window_probe.h"
#include "ui/main/main_design.h"
#include "ui/main/open_file_dialog.h"

namespace {

using namespace ui::main;
using testing_support::MainWindowHarness;
using testing_support::MessageRecorder;
using testing_support::PumpPending;
using testing_support::TempFolder;

// Alt held: the context bit of the key message.
constexpr LPARAM kAltDown = 0x20000001;

class MainWindowKeyboardTest : public ::testing::Test {
 protected:
  void Open(const std::string& arguments) {
    ui_.emplace(arguments);
    ui_->ShowAndSettle();
  }
  // Alt+letter as the keyboard delivers it to the window, then dispatched as the loop does.
  void PressAlt(char letter) {
    PostMessageA(ui_->hwnd(), WM_SYSCHAR, static_cast<WPARAM>(letter), kAltDown);
    PumpPending();
  }
  void PressKey(HWND target, WPARAM key) {
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
    PumpPending();
  }

  TempFolder folder_;
  testing_support::BatchLinkRecorder batch_;
  std::optional<MainWindowHarness> ui_;
};

TEST_F(MainWindowKeyboardTest, AltMPressesModifyOnceAFileIsShown) {
  Open(testing_support::Quoted(folder_.MakeFile("alt m.txt")));
  MessageRecorder recorder({IDNO});

  PressAlt('m');

  EXPECT_EQ(recorder.texts(), std::vector<std::string>{"确认修改文件时间及属性?"});
}

TEST_F(MainWindowKeyboardTest, AltMDoesNothingWhileModifyIsDisabled) {
  Open("");
  MessageRecorder recorder({IDNO});

  PressAlt('m');

  EXPECT_TRUE(recorder.shown().empty());
}

TEST_F(MainWindowKeyboardTest, AltVOpensTheFileDialogFromInsideItsGroupBox) {
  Open("");
  int asked = 0;
  ScopedOpenFileDialog dialog([&](const OPENFILENAMEW&) {
    ++asked;
    return std::optional<std::string>();
  });

  PressAlt('v');

  EXPECT_EQ(asked, 1);
}

TEST_F(MainWindowKeyboardTest, AltBSwitchesToTheBatchWindow) {
  Open("");

  PressAlt('b');

  EXPECT_EQ(batch_.opened(), 1);
  EXPECT_FALSE(IsWindowVisible(ui_->hwnd()));
}

TEST_F(MainWindowKeyboardTest, EscapeAndEnterNeitherCloseNorPressAnything) {
  Open(testing_support::Quoted(folder_.MakeFile("keys.txt")));
  MessageRecorder recorder({IDNO});
  int asked = 0;
  ScopedOpenFileDialog dialog([&](const OPENFILENAMEW&) {
    ++asked;
    return std::optional<std::string>();
  });
  SetFocus((*ui_)[日期框_修改时间]);

  PressKey((*ui_)[日期框_修改时间], VK_ESCAPE);
  PressKey((*ui_)[日期框_修改时间], VK_RETURN);

  EXPECT_TRUE(IsWindow(ui_->hwnd()));
  EXPECT_TRUE(IsWindowVisible(ui_->hwnd()));
  EXPECT_TRUE(recorder.shown().empty());
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(batch_.opened(), 0);
  EXPECT_EQ(GetFocus(), (*ui_)[日期框_修改时间]) << "Enter does not move the focus";
}

TEST_F(MainWindowKeyboardTest, PathBoxTakesNoTypedText) {
  const std::string path = folder_.MakeFile("typed.txt");
  Open(testing_support::Quoted(path));
  HWND pathBox = (*ui_)[编辑框_文件路径];
  SetFocus(pathBox);

  PostMessageA(pathBox, WM_CHAR, 'x', 1);
  PressKey(pathBox, VK_BACK);
  PressKey(pathBox, VK_DELETE);
  PumpPending();

  EXPECT_EQ(app::GetText(pathBox), path);
}

}  // namespace
