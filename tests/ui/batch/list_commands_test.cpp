// The list's context menu and its commands, the shell hand-offs, and the time labels that
// switch their pickers.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/controls.h"
#include "tests/support/batch_window_driver.h"
#include "tests/support/hooked_file_api.h"
#include "tests/support/message_recorder.h"
#include "tests/support/temp_folder.h"
#include "ui/batch/batch_design.h"
#include "ui/batch/context_menu.h"
#include "ui/batch/shell_handoff.h"

namespace {

using namespace ui::batch;
using testing_support::BatchWindowDriver;
using testing_support::MessageRecorder;
using testing_support::TempFolder;

constexpr UINT kWarning = MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL;
constexpr UINT kQuestionNoDefault = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2 | MB_TASKMODAL;
constexpr char kDesignText[] = "支持直接拖放多个文件或文件夹...";

struct ShownItem {
  std::string caption;
  bool separator = false;
  bool grayed = false;
  UINT id = 0;
  friend bool operator==(const ShownItem&, const ShownItem&) = default;
  friend void PrintTo(const ShownItem& item, std::ostream* out) {
    if (item.separator) {
      *out << "{separator}";
      return;
    }
    *out << "{" << item.caption << ", id " << item.id << (item.grayed ? ", greyed}" : ", enabled}");
  }
};

std::vector<ShownItem> ReadMenu(HMENU menu) {
  std::vector<ShownItem> items;
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    MENUITEMINFOA info{};
    char caption[128] = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
    info.dwTypeData = caption;
    info.cch = sizeof caption;
    GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
    ShownItem item;
    item.separator = (info.fType & MFT_SEPARATOR) != 0;
    // A separator reports itself disabled; only commands have a state that matters.
    item.grayed = !item.separator && (info.fState & MFS_GRAYED) != 0;
    item.id = item.separator ? 0 : info.wID;
    item.caption = item.separator ? "" : caption;
    items.push_back(item);
  }
  return items;
}

// Stands in for the user at the pop-up menu: records each opening and picks a command, but
// only one the menu lets the user pick.
class MenuUser {
 public:
  struct Opening {
    std::vector<ShownItem> items;
    HWND owner;
    POINT at;
    UINT flags;
  };

  explicit MenuUser(int choose = 0)
      : choose_(choose), scope_([this](HMENU menu, HWND owner, POINT at, UINT flags) {
          openings_.push_back({ReadMenu(menu), owner, at, flags});
          for (const ShownItem& item : openings_.back().items)
            if (static_cast<int>(item.id) == choose_ && !item.grayed) return choose_;
          return 0;
        }) {}

  const std::vector<Opening>& openings() const { return openings_; }
  // Which of the four commands were enabled at the last opening, in menu order.
  std::vector<bool> LastStates() const {
    std::vector<bool> states;
    for (const ShownItem& item : openings_.back().items)
      if (!item.separator) states.push_back(!item.grayed);
    return states;
  }

 private:
  int choose_;
  std::vector<Opening> openings_;
  ScopedPopupMenu scope_;
};

class ListCommandsTest : public ::testing::Test {
 protected:
  // Adds files named r1 .. rN, one row each.
  std::vector<std::string> AddFiles(int count) {
    std::vector<std::string> paths;
    for (int i = 1; i <= count; ++i) paths.push_back(folder_.MakeFile("r" + std::to_string(i) + ".txt"));
    driver_.window().AddPaths(paths);
    return paths;
  }

  void Choose(int command, std::initializer_list<int> selectedRows) {
    driver_.SelectRows(selectedRows);
    MenuUser user(command);
    driver_.NotifyRightClick();
    ASSERT_EQ(user.openings().size(), 1u);
  }

  TempFolder folder_;
  BatchWindowDriver driver_;
};

// Menu ------------------------------------------------------------------------------------

TEST_F(ListCommandsTest, MenuOnAnEmptyListHasEveryCommandGreyed) {
  MenuUser user;
  POINT cursor{};
  GetCursorPos(&cursor);

  driver_.NotifyRightClick();

  ASSERT_EQ(user.openings().size(), 1u);
  const MenuUser::Opening& opening = user.openings()[0];
  EXPECT_EQ(opening.items, (std::vector<ShownItem>{
                               {"移除选中项(&D)...", false, true, 菜单_移除选中项},
                               {"清空所有项(&C)...", false, true, 菜单_清空所有项},
                               {"", true, false, 0},
                               {"定位文件(&P)...", false, true, 菜单_定位文件},
                               {"属性(&R)", false, true, 菜单_属性},
                           }));
  EXPECT_EQ(opening.owner, driver_.hwnd());
  EXPECT_EQ(opening.at.x, cursor.x + 3);
  EXPECT_EQ(opening.at.y, cursor.y + 3);
  EXPECT_TRUE(opening.flags & TPM_RIGHTBUTTON);
}

TEST_F(ListCommandsTest, MenuStatesFollowTheSelection) {
  AddFiles(3);
  MenuUser user;

  driver_.SelectRows({});
  driver_.NotifyRightClick();
  EXPECT_EQ(user.LastStates(), (std::vector<bool>{false, true, false, false}));

  driver_.SelectRows({1});
  driver_.NotifyRightClick();
  EXPECT_EQ(user.LastStates(), (std::vector<bool>{true, true, true, true}));

  driver_.SelectRows({0, 2});
  driver_.NotifyRightClick();
  EXPECT_EQ(user.LastStates(), (std::vector<bool>{true, true, false, false}));

  EXPECT_EQ(user.openings().size(), 3u);
}

TEST_F(ListCommandsTest, RightClickOnARowSelectsItAndOpensTheMenu) {
  AddFiles(3);
  driver_.SelectRows({});
  HWND list = driver_.control(超级列表框);
  RECT row{};
  row.left = LVIR_BOUNDS;
  SendMessageA(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
  const LPARAM at = MAKELPARAM(row.left + 20, (row.top + row.bottom) / 2);
  MenuUser user;

  PostMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, at);
  PostMessageA(list, WM_RBUTTONUP, 0, at);
  testing_support::PumpUntil([&] { return !user.openings().empty(); });

  ASSERT_EQ(user.openings().size(), 1u);
  EXPECT_EQ(user.LastStates(), (std::vector<bool>{true, true, true, true}));
  EXPECT_EQ(app::LvFirstSelected(list), 1);
}

// The real pop-up menu runs a modal loop of its own; keys posted from a timer inside that loop
// walk it as a user would: down to the second command, then Enter.
HWND g_keyTarget = nullptr;
void CALLBACK PostMenuKeys(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
    PostMessageA(g_keyTarget, WM_KEYDOWN, key, 1);
    PostMessageA(g_keyTarget, WM_KEYUP, key, 0xC0000001);
  }
}
void CALLBACK EndMenuAfterTimeout(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  EndMenu();
}

TEST_F(ListCommandsTest, RealMenuReturnsTheChosenCommand) {
  AddFiles(2);
  driver_.SelectRows({0});
  MessageRecorder messages({IDNO});
  g_keyTarget = driver_.hwnd();
  const UINT_PTR keys = SetTimer(nullptr, 0, 100, PostMenuKeys);
  const UINT_PTR timeout = SetTimer(nullptr, 0, 5000, EndMenuAfterTimeout);

  driver_.NotifyRightClick();

  KillTimer(nullptr, keys);
  KillTimer(nullptr, timeout);
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"确认清空所有项目?"});
  EXPECT_EQ(driver_.RowCount(), 2);
}

TEST_F(ListCommandsTest, NoMenuWhileTheWindowIsBusy) {
  AddFiles(2);
  driver_.SelectRows({0});
  MenuUser user(菜单_清空所有项);
  testing_support::HookedFileApi api([&](const std::string&) { driver_.NotifyRightClick(); });
  MessageRecorder messages({IDYES});

  driver_.window().RunBatch();

  EXPECT_TRUE(user.openings().empty());
  EXPECT_EQ(driver_.RowCount(), 2);
  driver_.NotifyRightClick();  // idle again
  EXPECT_EQ(user.openings().size(), 1u);
}

TEST_F(ListCommandsTest, DismissedMenuDoesNothing) {
  AddFiles(2);
  const std::string status = driver_.StatusText();
  MessageRecorder messages;

  Choose(0, {0});

  EXPECT_TRUE(messages.shown().empty());
  EXPECT_EQ(driver_.RowCount(), 2);
  EXPECT_EQ(driver_.StatusText(), status);
}

// Remove and clear ------------------------------------------------------------------------

TEST_F(ListCommandsTest, RemovingRowsTwoAndFourOfFiveKeepsTheOthersInOrder) {
  const std::vector<std::string> paths = AddFiles(5);
  MessageRecorder messages({IDYES});

  Choose(菜单_移除选中项, {1, 3});

  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].text, "确认移除所选项目?");
  EXPECT_EQ(messages.shown()[0].title, "询问");
  EXPECT_EQ(messages.shown()[0].flags, kQuestionNoDefault);
  EXPECT_EQ(messages.shown()[0].owner, driver_.hwnd());
  EXPECT_EQ(driver_.Column(kColumnPath), (std::vector<std::string>{paths[0], paths[2], paths[4]}));
  EXPECT_EQ(driver_.StatusText(), "共包含 3 个待处理的文件(夹)!");
}

TEST_F(ListCommandsTest, RemovingEveryRowShowsTheDesignText) {
  AddFiles(3);
  MessageRecorder messages({IDYES});

  Choose(菜单_移除选中项, {0, 1, 2});

  EXPECT_EQ(driver_.RowCount(), 0);
  EXPECT_EQ(driver_.StatusText(), kDesignText);
}

TEST_F(ListCommandsTest, RemovalAnsweredNoChangesNothing) {
  AddFiles(3);
  const std::string status = driver_.StatusText();
  MessageRecorder messages({IDNO});

  Choose(菜单_移除选中项, {1});

  EXPECT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(driver_.RowCount(), 3);
  EXPECT_EQ(driver_.StatusText(), status);
}

TEST_F(ListCommandsTest, RemovingAFolderRowLeavesItsEntries) {
  const std::string sub = folder_.MakeFolder("sub");
  const std::string x = folder_.MakeFile("sub\\x.txt");
  driver_.window().AddPaths({sub});
  ASSERT_EQ(driver_.RowCount(), 2);
  MessageRecorder messages({IDYES});

  Choose(菜单_移除选中项, {0});

  EXPECT_EQ(driver_.Column(kColumnPath), std::vector<std::string>{x});
  EXPECT_EQ(app::LvIndent(driver_.control(超级列表框), 0), 1);
  EXPECT_EQ(driver_.StatusText(), "共包含 1 个待处理的文件(夹)!");
}

TEST_F(ListCommandsTest, ClearingEmptiesTheListAndShowsTheDesignText) {
  AddFiles(3);
  const int imagesBefore = ImageList_GetImageCount(driver_.window().images());
  MessageRecorder messages({IDYES});

  Choose(菜单_清空所有项, {});

  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].text, "确认清空所有项目?");
  EXPECT_EQ(messages.shown()[0].title, "询问");
  EXPECT_EQ(messages.shown()[0].flags, kQuestionNoDefault);
  EXPECT_EQ(driver_.RowCount(), 0);
  EXPECT_EQ(driver_.StatusText(), kDesignText);
  EXPECT_EQ(ImageList_GetImageCount(driver_.window().images()), imagesBefore);
}

// The images of rows are shared and kept: adding the same files after clearing makes no new
// ones, so the window's memory does not grow with every add.
TEST_F(ListCommandsTest, AddingAgainAfterClearingReusesTheImages) {
  const std::vector<std::string> paths = AddFiles(3);
  const int images = ImageList_GetImageCount(driver_.window().images());
  const int firstImage = app::LvImage(driver_.control(超级列表框), 0);
  MessageRecorder messages({IDYES});
  Choose(菜单_清空所有项, {});

  driver_.window().AddPaths(paths);

  EXPECT_EQ(driver_.Column(kColumnPath), paths);
  EXPECT_EQ(ImageList_GetImageCount(driver_.window().images()), images);
  EXPECT_EQ(app::LvImage(driver_.control(超级列表框), 0), firstImage);
}

TEST_F(ListCommandsTest, ClearingAnsweredNoChangesNothing) {
  AddFiles(2);
  const std::string status = driver_.StatusText();
  MessageRecorder messages({IDNO});

  Choose(菜单_清空所有项, {});

  EXPECT_EQ(driver_.RowCount(), 2);
  EXPECT_EQ(driver_.StatusText(), status);
}

// Locate and properties -------------------------------------------------------------------

std::string PathOf(PCIDLIST_ABSOLUTE item) {
  char path[MAX_PATH] = {};
  if (!item || !SHGetPathFromIDListA(item, path)) return {};
  return path;
}

TEST_F(ListCommandsTest, LocateHandsTheSelectedRowsPathToTheShell) {
  const std::vector<std::string> paths = AddFiles(3);
  std::vector<std::string> located;
  ScopedOpenFolder shell([&](PCIDLIST_ABSOLUTE item) {
    located.push_back(PathOf(item));
    return S_OK;
  });
  MessageRecorder messages;

  Choose(菜单_定位文件, {1});

  ASSERT_EQ(located.size(), 1u);
  EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, located[0].c_str(), -1, paths[1].c_str(), -1), CSTR_EQUAL)
      << located[0];
  EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ListCommandsTest, LocateFailureShowsItsWarning) {
  AddFiles(1);
  ScopedOpenFolder shell([](PCIDLIST_ABSOLUTE) { return E_FAIL; });
  MessageRecorder messages;

  Choose(菜单_定位文件, {0});

  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].text, "定位文件失败!");
  EXPECT_EQ(messages.shown()[0].title, "警告");
  EXPECT_EQ(messages.shown()[0].flags, kWarning);
  EXPECT_EQ(messages.shown()[0].owner, driver_.hwnd());
  EXPECT_EQ(driver_.RowCount(), 1);
}

TEST_F(ListCommandsTest, LocateCountsOnlyExactlyOkAsSuccess) {
  AddFiles(1);
  ScopedOpenFolder shell([](PCIDLIST_ABSOLUTE) { return S_FALSE; });
  MessageRecorder messages;

  Choose(菜单_定位文件, {0});

  EXPECT_EQ(messages.texts(), std::vector<std::string>{"定位文件失败!"});
}

TEST_F(ListCommandsTest, LocateOfAFolderRowNamesTheFolder) {
  const std::string sub = folder_.MakeFolder("sub");
  driver_.window().AddPaths({sub});
  std::string located;
  ScopedOpenFolder shell([&](PCIDLIST_ABSOLUTE item) {
    located = PathOf(item);
    return S_OK;
  });
  MessageRecorder messages;

  Choose(菜单_定位文件, {0});

  EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, located.c_str(), -1, sub.c_str(), -1), CSTR_EQUAL)
      << located;
}

TEST_F(ListCommandsTest, PropertiesAsksTheShellForTheSelectedRowsSheet) {
  const std::vector<std::string> paths = AddFiles(2);
  std::optional<SHELLEXECUTEINFOA> asked;
  std::string verb, file, parameters, directory;
  HANDLE process = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ScopedShellExecute shell([&](SHELLEXECUTEINFOA& info) {
    asked = info;
    verb = info.lpVerb ? info.lpVerb : "(null)";
    file = info.lpFile ? info.lpFile : "(null)";
    parameters = info.lpParameters ? info.lpParameters : "(null)";
    directory = info.lpDirectory ? info.lpDirectory : "(null)";
    info.hInstApp = reinterpret_cast<HINSTANCE>(42);
    info.hProcess = process;
    return TRUE;
  });
  MessageRecorder messages;

  Choose(菜单_属性, {1});

  ASSERT_TRUE(asked);
  EXPECT_EQ(asked->cbSize, sizeof(SHELLEXECUTEINFOA));
  EXPECT_EQ(asked->fMask, 0x44Cu);
  EXPECT_EQ(asked->hwnd, driver_.hwnd());
  EXPECT_EQ(verb, "properties");
  EXPECT_EQ(file, paths[1]);
  EXPECT_EQ(parameters, "");
  EXPECT_EQ(directory, "");
  EXPECT_EQ(asked->nShow, 0);
  EXPECT_EQ(asked->lpIDList, nullptr);
  EXPECT_EQ(asked->hInstApp, nullptr);
  EXPECT_TRUE(messages.shown().empty());
  DWORD flags = 0;
  EXPECT_FALSE(GetHandleInformation(process, &flags)) << "the returned process handle is closed";
}

TEST_F(ListCommandsTest, PropertiesFailureShowsItsWarning) {
  AddFiles(1);
  // What the shell answers under Wine, and on Windows for a path that no longer exists.
  ScopedShellExecute shell([](SHELLEXECUTEINFOA& info) {
    info.hInstApp = reinterpret_cast<HINSTANCE>(SE_ERR_FNF);
    return FALSE;
  });
  MessageRecorder messages;

  Choose(菜单_属性, {0});

  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].text, "查看文件属性失败!");
  EXPECT_EQ(messages.shown()[0].title, "警告");
  EXPECT_EQ(messages.shown()[0].flags, kWarning);
}

TEST_F(ListCommandsTest, PropertiesInstanceOfExactly32IsAFailure) {
  AddFiles(1);
  ScopedShellExecute shell([](SHELLEXECUTEINFOA& info) {
    info.hInstApp = reinterpret_cast<HINSTANCE>(32);
    return TRUE;
  });
  MessageRecorder messages;

  Choose(菜单_属性, {0});

  EXPECT_EQ(messages.texts(), std::vector<std::string>{"查看文件属性失败!"});
}

bool RunningUnderWine() { return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }

TEST_F(ListCommandsTest, RealPropertiesVerbUnderWineEndsInTheWarning) {
  // Wine has no properties sheet: the shell answers an instance value of 11. On Windows a
  // real sheet would open and stay, so the real call is made only here.
  if (!RunningUnderWine()) GTEST_SKIP() << "the real call would open a properties sheet";
  AddFiles(1);
  MessageRecorder messages;

  Choose(菜单_属性, {0});

  EXPECT_EQ(messages.texts(), std::vector<std::string>{"查看文件属性失败!"});
}

// Time labels -----------------------------------------------------------------------------

TEST_F(ListCommandsTest, LabelPressSwitchesItsPickerOffAndOnKeepingTheValue) {
  HWND picker = driver_.control(日期框_修改时间);
  const core::LocalDateTime value{2010, 10, 10, 10, 10, 10};
  app::DtpSetTime(picker, value);
  ASSERT_EQ(driver_.LabelColor(标签_修改时间), RGB(0, 0, 0));

  driver_.PressLabel(标签_修改时间);

  EXPECT_FALSE(IsWindowEnabled(picker));
  EXPECT_EQ(driver_.LabelColor(标签_修改时间), RGB(128, 128, 128));
  EXPECT_EQ(app::DtpGetTime(picker), value);
  EXPECT_TRUE(IsWindowEnabled(driver_.control(日期框_创建时间)));
  EXPECT_TRUE(IsWindowEnabled(driver_.control(日期框_访问时间)));

  driver_.PressLabel(标签_修改时间);

  EXPECT_TRUE(IsWindowEnabled(picker));
  EXPECT_EQ(driver_.LabelColor(标签_修改时间), RGB(0, 0, 0));
  EXPECT_EQ(app::DtpGetTime(picker), value);
}

TEST_F(ListCommandsTest, EachLabelSwitchesItsOwnPicker) {
  const std::pair<int, int> pairs[] = {
      {标签_创建时间, 日期框_创建时间}, {标签_修改时间, 日期框_修改时间}, {标签_访问时间, 日期框_访问时间}};
  for (const auto& [label, picker] : pairs) {
    driver_.PressLabel(label);
    EXPECT_FALSE(IsWindowEnabled(driver_.control(picker))) << label;
    EXPECT_EQ(driver_.LabelColor(label), RGB(128, 128, 128)) << label;
  }
}

TEST_F(ListCommandsTest, LabelPressRepaintsTheLabel) {
  HWND label = driver_.control(标签_访问时间);
  UpdateWindow(driver_.hwnd());
  UpdateWindow(label);
  RECT dirty{};
  ASSERT_FALSE(GetUpdateRect(label, &dirty, FALSE));

  driver_.PressLabel(标签_访问时间);

  EXPECT_TRUE(GetUpdateRect(label, &dirty, FALSE));
}

}  // namespace
