// Drag and drop on the main window, through the drop target OLE holds for it.
#include <gtest/gtest.h>

#include <oleidl.h>

#include "app/controls.h"
#include "tests/support/batch_link_recorder.h"
#include "tests/support/drag_data.h"
#include "tests/support/main_window_harness.h"
#include "tests/support/message_recorder.h"
#include "tests/support/window_probe.h"
#include "ui/main/main_design.h"

namespace {

using namespace ui::main;
using testing_support::BatchLinkRecorder;
using testing_support::MainWindowHarness;
using testing_support::MakeFileListData;
using testing_support::MakeStampedFile;
using testing_support::MakeTextData;
using testing_support::PumpUntil;
using testing_support::TempFolder;

using Paths = std::vector<std::string>;
constexpr DWORD kAnyEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

class MainWindowDropTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_.ShowAndSettle();
    target_ = testing_support::RegisteredDropTarget(ui_.hwnd());
    ASSERT_NE(target_, nullptr) << "no drop target registered on the main window";
  }

  // A point inside the window, in screen coordinates, as OLE passes it.
  POINTL Inside() const {
    RECT rect{};
    GetWindowRect(ui_.hwnd(), &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }
  DWORD Enter(IDataObject* data, DWORD keys) {
    DWORD effect = kAnyEffect;
    EXPECT_EQ(target_->DragEnter(data, keys, Inside(), &effect), S_OK);
    return effect;
  }
  DWORD Over(DWORD keys) {
    DWORD effect = kAnyEffect;
    EXPECT_EQ(target_->DragOver(keys, Inside(), &effect), S_OK);
    return effect;
  }
  DWORD Drop(IDataObject* data, DWORD keys = 0) {
    DWORD effect = kAnyEffect;
    EXPECT_EQ(target_->Drop(data, keys, Inside(), &effect), S_OK);
    return effect;
  }
  // Drags the data over the window and drops it, as the shell does.
  void DragAndDrop(IDataObject* data) {
    Enter(data, MK_LBUTTON);
    Over(MK_LBUTTON);
    Drop(data);
  }

  TempFolder folder_;
  BatchLinkRecorder batch_;
  MainWindowHarness ui_;
  IDropTarget* target_ = nullptr;
};

TEST_F(MainWindowDropTest, DroppedFileIsShown) {
  const std::string path = MakeStampedFile(folder_, "dropped 文件.txt", std::string(321, 'd'), FILE_ATTRIBUTE_HIDDEN);

  DragAndDrop(MakeFileListData({path}).Get());

  ASSERT_TRUE(PumpUntil([&] { return app::GetText(ui_[编辑框_文件路径]) == path; }))
      << app::GetText(ui_[编辑框_文件路径]);
  const std::string size = app::GetText(ui_[编辑框_文件大小]);
  EXPECT_NE(size.find("(321 字节)"), std::string::npos) << size;
  EXPECT_TRUE(app::IsChecked(ui_[选择框_隐藏]));
  EXPECT_TRUE(IsWindowEnabled(ui_[按钮_修改]));
  EXPECT_TRUE(batch_.handed().empty());
}

TEST_F(MainWindowDropTest, EffectIsCopyMoveWithShiftAndNoneWithShiftAndControl) {
  const auto data = MakeFileListData({folder_.MakeFile("effects.txt")});

  EXPECT_EQ(Enter(data.Get(), MK_LBUTTON), static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(Over(MK_LBUTTON | MK_SHIFT), static_cast<DWORD>(DROPEFFECT_MOVE));
  EXPECT_EQ(Over(MK_LBUTTON | MK_SHIFT | MK_CONTROL), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(Over(MK_LBUTTON | MK_CONTROL), static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(Over(MK_LBUTTON), static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(target_->DragLeave(), S_OK);
}

TEST_F(MainWindowDropTest, DragEffectIsAlwaysOneTheSourceAllows) {
  const auto data = MakeFileListData({folder_.MakeFile("allowed.txt")});
  Enter(data.Get(), MK_LBUTTON);
  for (const DWORD allowed : {DWORD{DROPEFFECT_COPY}, DWORD{DROPEFFECT_LINK}, DWORD{DROPEFFECT_MOVE}}) {
    for (const DWORD keys : {0ul, DWORD{MK_SHIFT}, DWORD{MK_CONTROL}}) {
      DWORD effect = allowed;
      EXPECT_EQ(target_->DragOver(MK_LBUTTON | keys, Inside(), &effect), S_OK);
      EXPECT_EQ(effect & ~allowed, 0u) << "allowed " << allowed << " keys " << keys;
    }
  }
  target_->DragLeave();
}

// A move reported back would make the drag source delete its originals.
TEST_F(MainWindowDropTest, DropReportsCopyWhateverTheKeys) {
  const std::string path = folder_.MakeFile("kept.txt");
  const auto data = MakeFileListData({path});
  for (const DWORD keys : {DWORD{MK_SHIFT}, DWORD{MK_SHIFT | MK_CONTROL}}) {
    Enter(data.Get(), MK_LBUTTON | keys);
    EXPECT_EQ(Drop(data.Get(), keys), static_cast<DWORD>(DROPEFFECT_COPY)) << keys;
  }
  ASSERT_TRUE(PumpUntil([&] { return app::GetText(ui_[编辑框_文件路径]) == path; }));
}

TEST_F(MainWindowDropTest, ShiftEnteringShowsMove) {
  const auto data = MakeFileListData({folder_.MakeFile("shift.txt")});
  EXPECT_EQ(Enter(data.Get(), MK_LBUTTON | MK_SHIFT), static_cast<DWORD>(DROPEFFECT_MOVE));
  target_->DragLeave();
}

TEST_F(MainWindowDropTest, EffectDoesNotChangeWhatADropDoes) {
  const std::string path = folder_.MakeFile("moved.txt");
  const auto data = MakeFileListData({path});

  Enter(data.Get(), MK_LBUTTON | MK_SHIFT);
  Drop(data.Get(), MK_SHIFT);

  ASSERT_TRUE(PumpUntil([&] { return app::GetText(ui_[编辑框_文件路径]) == path; }));
  EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << "a move drop moves nothing";
}

TEST_F(MainWindowDropTest, DraggedTextIsRefusedAndItsDropDoesNothing) {
  const std::string path = folder_.MakeFile("as text.txt");
  const auto data = MakeTextData(path);

  EXPECT_EQ(Enter(data.Get(), MK_LBUTTON), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(Over(MK_LBUTTON), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(Drop(data.Get()), static_cast<DWORD>(DROPEFFECT_NONE));
  testing_support::PumpPending();

  EXPECT_EQ(app::GetText(ui_[编辑框_文件路径]), "");
  EXPECT_FALSE(IsWindowEnabled(ui_[按钮_修改]));
  EXPECT_EQ(batch_.opened(), 0);
  EXPECT_TRUE(batch_.handed().empty());
}

TEST_F(MainWindowDropTest, DroppedFolderGoesToTheBatchWindow) {
  const std::string folder = folder_.MakeFolder("dropped folder");

  DragAndDrop(MakeFileListData({folder}).Get());

  ASSERT_TRUE(PumpUntil([&] { return !batch_.handed().empty(); }));
  EXPECT_EQ(batch_.opened(), 1);
  EXPECT_EQ(batch_.handed(), std::vector<Paths>{Paths{folder}});
  EXPECT_EQ(app::GetText(ui_[编辑框_文件路径]), "");
}

TEST_F(MainWindowDropTest, SeveralDroppedFilesGoToTheBatchWindowInDropOrder) {
  const std::string b = folder_.MakeFile("b.txt");
  const std::string a = folder_.MakeFile("a.txt");
  const std::string c = folder_.MakeFile("c.txt");

  DragAndDrop(MakeFileListData({b, a, c}).Get());

  ASSERT_TRUE(PumpUntil([&] { return !batch_.handed().empty(); }));
  EXPECT_EQ(batch_.handed(), std::vector<Paths>{(Paths{b, a, c})});
  EXPECT_EQ(app::GetText(ui_[编辑框_文件路径]), "");
}

TEST_F(MainWindowDropTest, DropFromADragLoopOverTheWindowShowsTheFile) {
  // The whole OLE path: DoDragDrop finds the window under the cursor and its registered target.
  const std::string path = folder_.MakeFile("dragged.txt", "12");
  const POINTL inside = Inside();
  ASSERT_TRUE(SetCursorPos(inside.x, inside.y));
  DWORD effect = DROPEFFECT_NONE;

  const HRESULT hr = DoDragDrop(MakeFileListData({path}).Get(), testing_support::MakeDroppingSource(5).Get(),
                                DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);

  EXPECT_EQ(hr, DRAGDROP_S_DROP);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  ASSERT_TRUE(PumpUntil([&] { return app::GetText(ui_[编辑框_文件路径]) == path; }))
      << app::GetText(ui_[编辑框_文件路径]);
}

}  // namespace
