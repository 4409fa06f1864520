// The batch window's design, its life cycle with the main window, and every way paths
// become rows.
#include "ui/batch/batch_window.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <memory>

#include "app/controls.h"
#include "app/window_switch.h"
#include "core/file_api.h"
#include "core/file_stamp.h"
#include "core/text_encoding.h"
#include "program/window_wiring.h"
#include "tests/support/drag_data.h"
#include "tests/support/message_recorder.h"
#include "tests/support/recording_file_api.h"
#include "tests/support/temp_folder.h"
#include "ui/batch/batch_design.h"
#include "ui/batch/batch_list.h"
#include "ui/batch/folder_browser.h"
#include "ui/main/main_design.h"
#include "ui/main/main_window.h"

namespace ui::batch {
namespace {

using testing_support::MessageRecorder;
using testing_support::PumpPending;
using testing_support::TempFolder;

struct Row {
  std::string name, size, type, path, status;
  int indent;
  friend bool operator==(const Row&, const Row&) = default;
};

std::vector<Row> Rows(HWND list) {
  std::vector<Row> rows;
  for (int i = 0; i < app::LvRowCount(list); ++i) {
    rows.push_back({app::LvGetText(list, i, kColumnName), app::LvGetText(list, i, kColumnSize),
                    app::LvGetText(list, i, kColumnType), app::LvGetText(list, i, kColumnPath),
                    app::LvGetText(list, i, kColumnStatus), app::LvIndent(list, i)});
  }
  return rows;
}

std::vector<std::string> Paths(HWND list) {
  std::vector<std::string> paths;
  for (const Row& row : Rows(list)) paths.push_back(row.path);
  return paths;
}

// Runs a callback from inside the adding, after the folder listing handed out its first
// entry: the moment a user's close or drop could be dispatched by the pump.
class DuringAdd : public core::FileApi {
 public:
  explicit DuringAdd(std::function<void()> action) : action_(std::move(action)), scope_(*this) {}
  BOOL FindNext(HANDLE search, WIN32_FIND_DATAW* data) override {
    if (action_) std::exchange(action_, nullptr)();
    return FileApi::FindNext(search, data);
  }

 private:
  std::function<void()> action_;
  core::ScopedFileApi scope_;
};

class BatchWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window_.Create());
    window_.Show();
    PumpPending();
  }
  HWND list() const { return window_.control(超级列表框); }
  HWND status() const { return window_.control(状态条); }

  TempFolder temp_;
  BatchWindow window_;
};

RECT ClientRectOf(HWND window, HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

TEST_F(BatchWindowTest, StartsFromItsDesign) {
  RECT client;
  GetClientRect(window_.hwnd(), &client);
  EXPECT_EQ(client.bottom, kClientHeight);
  EXPECT_EQ(app::GetText(window_.hwnd()), "批量修改");
  EXPECT_EQ(GetMenu(window_.hwnd()), nullptr);  // no menu bar

  // Controls inside the group box sit at their client positions.
  const RECT picker = ClientRectOf(window_.hwnd(), window_.control(日期框_修改时间));
  EXPECT_EQ(picker.left, 312);
  EXPECT_EQ(picker.top, 25);
  const RECT modify = ClientRectOf(window_.hwnd(), window_.control(按钮_批量修改));
  EXPECT_EQ(modify.left, 480);
  EXPECT_EQ(modify.top, 54);
  const RECT listRect = ClientRectOf(window_.hwnd(), list());
  EXPECT_EQ(listRect.bottom, 346);
  // The status bar sits on the bottom edge of the client area.
  const RECT statusRect = ClientRectOf(window_.hwnd(), status());
  EXPECT_EQ(statusRect.bottom, kClientHeight);
  EXPECT_GE(statusRect.top, listRect.bottom);

  for (int id : {日期框_创建时间, 日期框_修改时间, 日期框_访问时间, 选择框_只读, 按钮_浏览文件夹, 按钮_批量修改})
    EXPECT_TRUE(IsWindowEnabled(window_.control(id))) << id;
  for (int id : {选择框_只读, 选择框_存档, 选择框_隐藏, 选择框_系统}) EXPECT_FALSE(app::IsChecked(window_.control(id)));
  EXPECT_FALSE(window_.IsBusy());
  EXPECT_EQ(app::SbGetText(status()), "支持直接拖放多个文件或文件夹...");
  EXPECT_NE(SendMessageA(status(), SB_GETICON, 0, 0), 0);
  EXPECT_EQ(app::LvRowCount(list()), 0);
}

TEST_F(BatchWindowTest, ListHasFiveColumnsAndTheDesignedStyles) {
  const char* headers[] = {"文件名", "大小", "类型", "路径", "状态"};
  const int widths[] = {135, 60, 95, 210, 40};
  for (int i = 0; i < 5; ++i) {
    char text[64] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text;
    column.cchTextMax = sizeof text;
    ASSERT_TRUE(SendMessageA(list(), LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ(text, headers[i]);
    EXPECT_EQ(column.cx, widths[i]);
  }
  const auto extended = SendMessageA(list(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
  EXPECT_EQ(extended & (LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_INFOTIP),
            LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_INFOTIP);
  const auto style = GetWindowLongA(list(), GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_FALSE(style & LVS_SINGLESEL);
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(list(), LVM_GETIMAGELIST, LVSIL_SMALL, 0)), window_.images());
}

TEST_F(BatchWindowTest, FolderGivesItsOwnRowThenSubfoldersThenFilesOneLevelDeep) {
  const std::string a = temp_.MakeFolder("A");
  temp_.MakeFolder("A\\B");
  temp_.MakeFile("A\\B\\x.txt");
  temp_.MakeFile("A\\f.txt", "12345");

  window_.AddPaths({a});
  const std::vector<Row> rows = Rows(list());
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (Row{"A", "", "文件夹 ", a, " -", 0}));
  EXPECT_EQ(rows[1], (Row{"B", "", "文件夹 ", a + "\\B", " -", 1}));
  EXPECT_EQ(rows[2].name, "f.txt");
  EXPECT_EQ(rows[2].size, core::FormatByteSize(5));
  EXPECT_EQ(rows[2].path, a + "\\f.txt");
  EXPECT_EQ(rows[2].indent, 1);
  EXPECT_EQ(rows[2].status, " -");
  EXPECT_EQ(app::SbGetText(status()), "共包含 3 个待处理的文件(夹)!");
  EXPECT_FALSE(window_.IsBusy());
  // Every row has an icon; the two folders show the same one and share its image.
  EXPECT_EQ(app::LvImage(list(), 0), app::LvImage(list(), 1));
  EXPECT_NE(app::LvImage(list(), 2), app::LvImage(list(), 0));
  for (int i = 0; i < 3; ++i) EXPECT_GE(app::LvImage(list(), i), 0) << i;
  EXPECT_EQ(ImageList_GetImageCount(window_.images()), 2);
}

TEST_F(BatchWindowTest, TrailingBackslashGivesTheSameEntryPaths) {
  const std::string a = temp_.MakeFolder("A");
  temp_.MakeFolder("A\\B");
  temp_.MakeFile("A\\f.txt");
  window_.AddPaths({a + "\\"});
  EXPECT_EQ(Paths(list()), (std::vector<std::string>{a + "\\", a + "\\B", a + "\\f.txt"}));
}

TEST_F(BatchWindowTest, DriveRootIsTypedAsADiskAndListsFoldersBeforeFiles) {
  window_.AddPaths({"C:\\"});
  const std::vector<Row> rows = Rows(list());
  ASSERT_GE(rows.size(), 2u);
  EXPECT_EQ(rows[0].path, "C:\\");
  EXPECT_EQ(rows[0].type, kDriveType);
  bool seenFile = false;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].indent, 1);
    EXPECT_EQ(rows[i].path.rfind("C:\\", 0), 0u);
    EXPECT_EQ(rows[i].path.find("\\\\"), std::string::npos) << rows[i].path;
    EXPECT_NE(rows[i].name, ".");
    EXPECT_NE(rows[i].name, "..");
    const bool isFolder = rows[i].type == kFolderType;
    if (!isFolder) seenFile = true;
    EXPECT_FALSE(isFolder && seenFile) << "folder after a file: " << rows[i].path;
  }
}

TEST_F(BatchWindowTest, HiddenAndSystemEntriesAreListedAndDotsNever) {
  const std::string a = temp_.MakeFolder("A");
  const std::string hidden = temp_.MakeFile("A\\hidden.txt");
  const std::string system = temp_.MakeFolder("A\\system");
  SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA(system.c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY);
  window_.AddPaths({a});
  EXPECT_EQ(Paths(list()), (std::vector<std::string>{a, system, hidden}));
}

TEST_F(BatchWindowTest, EmptyFolderGivesItsOwnRowOnlyAndTheSameFolderTwiceIsListedTwice) {
  const std::string empty = temp_.MakeFolder("empty");
  window_.AddPaths({empty});
  EXPECT_EQ(Paths(list()), std::vector<std::string>{empty});
  window_.AddPaths({empty});
  EXPECT_EQ(Paths(list()), (std::vector<std::string>{empty, empty}));
}

TEST_F(BatchWindowTest, PathsKeepTheirOrderAndTheCountCoversEarlierRows) {
  const std::string one = temp_.MakeFile("1.txt");
  const std::string folder = temp_.MakeFolder("F");
  const std::string inside = temp_.MakeFile("F\\in.txt");
  const std::string two = temp_.MakeFile("2.txt");
  const std::string three = temp_.MakeFile("3.txt");
  window_.AddPaths({one, two, three});
  EXPECT_EQ(app::SbGetText(status()), "共包含 3 个待处理的文件(夹)!");
  window_.AddPaths({one, folder, two});
  EXPECT_EQ(Paths(list()), (std::vector<std::string>{one, two, three, one, folder, inside, two}));
  EXPECT_EQ(app::SbGetText(status()), "共包含 7 个待处理的文件(夹)!");
}

TEST_F(BatchWindowTest, MissingPathIsAFileRowWithAnEmptySizeCell) {
  const std::string missing = temp_.Child("gone.txt");
  window_.AddPaths({missing});
  const std::vector<Row> rows = Rows(list());
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].name, "gone.txt");
  EXPECT_EQ(rows[0].size, "");
  EXPECT_EQ(rows[0].path, missing);
  EXPECT_EQ(rows[0].indent, 0);
}

TEST_F(BatchWindowTest, LargeFileShowsItsFull64BitSize) {
  const std::uint64_t fiveGiB = 5ull << 30;
  const std::string big = temp_.MakeSparseFile("big.bin", fiveGiB);
  window_.AddPaths({big});
  EXPECT_EQ(app::LvGetText(list(), 0, kColumnSize), core::FormatByteSize(fiveGiB));
  EXPECT_NE(app::LvGetText(list(), 0, kColumnSize), core::FormatByteSize(1ull << 30));
}

TEST_F(BatchWindowTest, NamesInAnyScriptAreListed) {
  const std::string a = temp_.MakeFolder("照片");
  const std::string file = temp_.MakeFile("照片\\Привет😀.txt");
  window_.AddPaths({a});
  EXPECT_EQ(Paths(list()), (std::vector<std::string>{a, file}));
  EXPECT_EQ(app::LvGetText(list(), 1, kColumnName), "Привет😀.txt");
}

TEST_F(BatchWindowTest, FolderBrowserCancelledChangesNothingAndAChosenFileIsOneRow) {
  const std::string file = temp_.MakeFile("chosen.txt");
  std::string answer;
  std::vector<std::pair<std::string, UINT>> asked;
  ScopedFolderBrowser browser([&](HWND, const std::string& title, UINT flags) {
    asked.emplace_back(title, flags);
    return answer;
  });
  SendMessageA(window_.control(按钮_浏览文件夹), BM_CLICK, 0, 0);
  EXPECT_EQ(app::LvRowCount(list()), 0);
  EXPECT_EQ(app::SbGetText(status()), "支持直接拖放多个文件或文件夹...");

  answer = file;
  SendMessageA(window_.control(按钮_浏览文件夹), BM_CLICK, 0, 0);
  const std::vector<Row> rows = Rows(list());
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].path, file);
  EXPECT_EQ(rows[0].indent, 0);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].first, "请选择需要修改时间属性的文件或文件夹...");
  EXPECT_EQ(asked[0].second, static_cast<UINT>(0x4010));
}

TEST_F(BatchWindowTest, CloseWhileAddingIsRefusedAndTheAddCompletes) {
  const std::string a = temp_.MakeFolder("A");
  const std::string first = temp_.MakeFile("A\\1.txt");
  MessageRecorder boxes;
  DuringAdd during([&] {
    EXPECT_TRUE(window_.IsBusy());
    SendMessageA(window_.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(SendMessageA(window_.hwnd(), WM_QUERYENDSESSION, 0, 0));
  });
  for (int i = 2; i <= 5; ++i) temp_.MakeFile("A\\" + std::to_string(i) + ".txt");
  window_.AddPaths({a});
  EXPECT_TRUE(IsWindow(window_.hwnd()));
  EXPECT_EQ(app::LvRowCount(list()), 6);
  ASSERT_EQ(boxes.shown().size(), 2u);
  for (const auto& box : boxes.shown()) {
    EXPECT_EQ(box.text, "Please Wait...");
    EXPECT_EQ(box.title, "Runing");
    EXPECT_EQ(box.flags, static_cast<UINT>(MB_ICONEXCLAMATION | MB_TASKMODAL));
    EXPECT_EQ(box.owner, window_.hwnd());
  }
  EXPECT_FALSE(window_.IsBusy());
  // Idle again: the close is allowed.
  EXPECT_TRUE(SendMessageA(window_.hwnd(), WM_QUERYENDSESSION, 0, 0));
}

TEST_F(BatchWindowTest, DropDuringAnAddIsAddedAfterItNothingLost) {
  const std::string a = temp_.MakeFolder("A");
  const std::string a1 = temp_.MakeFile("A\\1.txt");
  const std::string dropped = temp_.MakeFolder("D");
  const std::string d1 = temp_.MakeFile("D\\d.txt");
  const std::string later = temp_.MakeFile("later.txt");
  bool busyAfterDrop = false;
  DuringAdd during([&] {
    window_.AddPaths({dropped, later});
    busyAfterDrop = window_.IsBusy();
  });
  window_.AddPaths({a});
  EXPECT_TRUE(busyAfterDrop);  // the drop did not end the busy state early
  EXPECT_EQ(Paths(list()), (std::vector<std::string>{a, a1, dropped, d1, later}));
  EXPECT_EQ(app::SbGetText(status()), "共包含 5 个待处理的文件(夹)!");
  EXPECT_FALSE(window_.IsBusy());
}

// A move reported back would make the drag source delete its originals.
TEST_F(BatchWindowTest, DropReportsCopyWhateverTheKeysAndAddsThePaths) {
  IDropTarget* target = testing_support::RegisteredDropTarget(window_.hwnd());
  ASSERT_NE(target, nullptr);
  const std::string path = temp_.MakeFile("kept.txt");
  const auto data = testing_support::MakeFileListData({path});
  for (const DWORD keys : {DWORD{MK_SHIFT}, DWORD{MK_SHIFT | MK_CONTROL}}) {
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    ASSERT_EQ(target->DragEnter(data.Get(), MK_LBUTTON | keys, {0, 0}, &effect), S_OK);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    ASSERT_EQ(target->Drop(data.Get(), keys, {0, 0}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY)) << keys;
  }
  ASSERT_TRUE(testing_support::PumpUntil([&] { return app::LvRowCount(list()) == 2; }));
  EXPECT_EQ(Paths(list()), (std::vector<std::string>{path, path}));
}

TEST_F(BatchWindowTest, TimeLabelsShowTheHandCursor) {
  HWND label = window_.control(标签_修改时间);
  RECT rect;
  GetWindowRect(label, &rect);
  SendMessageA(label, WM_SETCURSOR, reinterpret_cast<WPARAM>(label), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)));
}

// The hand-over between the two windows, as the program wires it.
class WindowSwitchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program::ConnectBatchWindow();
    ASSERT_TRUE(main_.Create());
    app::ConnectMainWindow(main_.hwnd());
    main_.Show();
    PumpPending();
  }
  void TearDown() override {
    if (BatchWindow* batch = OpenBatchWindow()) DestroyWindow(batch->hwnd());
    app::ConnectMainWindow(nullptr);
  }

  TempFolder temp_;
  main::MainWindow main_{"filestamp.exe"};
};

TEST_F(WindowSwitchTest, TwoFilesOpenANewBatchWindowAndMoreAreAppended) {
  const std::string one = temp_.MakeFile("1.txt");
  const std::string two = temp_.MakeFile("2.txt");
  const std::string three = temp_.MakeFile("3.txt");
  main_.TakePaths({one, two});
  BatchWindow* batch = OpenBatchWindow();
  ASSERT_NE(batch, nullptr);
  EXPECT_FALSE(IsWindowVisible(main_.hwnd()));
  EXPECT_TRUE(IsWindowVisible(batch->hwnd()));
  EXPECT_EQ(Paths(batch->control(超级列表框)), (std::vector<std::string>{one, two}));

  main_.TakePaths({three, one});
  EXPECT_EQ(OpenBatchWindow(), batch);
  EXPECT_EQ(Paths(batch->control(超级列表框)), (std::vector<std::string>{one, two, three, one}));
}

TEST_F(WindowSwitchTest, ClosingTheIdleBatchWindowBringsBackTheMainWindowWithItsValues) {
  const std::string file = temp_.MakeFile("shown.txt");
  main_.TakePaths({file});
  const std::string sizeText = app::GetText(main_.control(main::编辑框_文件大小));
  SendMessageA(main_.control(main::选择框_隐藏), BM_CLICK, 0, 0);  // an edited value

  SendMessageA(main_.control(main::按钮_批量修改), BM_CLICK, 0, 0);
  BatchWindow* batch = OpenBatchWindow();
  ASSERT_NE(batch, nullptr);
  EXPECT_FALSE(IsWindowVisible(main_.hwnd()));
  SendMessageA(batch->hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(OpenBatchWindow(), nullptr);
  EXPECT_TRUE(IsWindowVisible(main_.hwnd()));
  EXPECT_EQ(app::GetText(main_.control(main::编辑框_文件路径)), file);
  EXPECT_EQ(app::GetText(main_.control(main::编辑框_文件大小)), sizeText);
  EXPECT_TRUE(app::IsChecked(main_.control(main::选择框_隐藏)));
}

TEST_F(WindowSwitchTest, ReopeningGivesAnEmptyListAndTheDesignSettings) {
  const std::string file = temp_.MakeFile("1.txt");
  SendMessageA(main_.control(main::按钮_批量修改), BM_CLICK, 0, 0);
  BatchWindow* first = OpenBatchWindow();
  ASSERT_NE(first, nullptr);
  first->AddPaths({file});
  SendMessageA(first->control(选择框_存档), BM_CLICK, 0, 0);
  SendMessageA(first->hwnd(), WM_CLOSE, 0, 0);

  SendMessageA(main_.control(main::按钮_批量修改), BM_CLICK, 0, 0);
  BatchWindow* second = OpenBatchWindow();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(app::LvRowCount(second->control(超级列表框)), 0);
  EXPECT_FALSE(app::IsChecked(second->control(选择框_存档)));
  EXPECT_EQ(app::SbGetText(second->control(状态条)), "支持直接拖放多个文件或文件夹...");
}

}  // namespace
}  // namespace ui::batch
