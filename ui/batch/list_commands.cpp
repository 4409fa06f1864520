// The list's context menu, its four commands, and the time labels that switch their pickers.
#include "ui/batch/batch_window.h"

#include <commctrl.h>

#include <vector>

#include "app/controls.h"
#include "app/dpi.h"
#include "app/message_boxes.h"
#include "ui/batch/batch_design.h"
#include "ui/batch/batch_list.h"
#include "ui/batch/context_menu.h"
#include "ui/batch/shell_handoff.h"

namespace ui::batch {
namespace {

struct TimeSwitch {
  int label;
  int picker;
};
constexpr TimeSwitch kTimeSwitches[] = {
    {标签_创建时间, 日期框_创建时间},
    {标签_修改时间, 日期框_修改时间},
    {标签_访问时间, 日期框_访问时间},
};

// The menu opens a little right of and below the pointer, clear of the cursor's tip (design
// pixels).
constexpr int kMenuOffset = 3;

}  // namespace

void BatchWindow::OnListRightClick() {
  // The menu could remove rows under a running add or batch run.
  if (IsBusy()) return;
  HWND list = controls()[超级列表框];
  const bool anySelected = app::LvSelectedCount(list) != 0;
  const bool anyRows = !rows_.empty();
  const bool oneSelected = app::LvSelectedCount(list) == 1;

  std::vector<PopupItem> items;
  for (const MenuItemSpec& spec : BatchMenu()) {
    bool enabled = true;
    switch (spec.command) {
      case 菜单_移除选中项:
        enabled = anySelected;
        break;
      case 菜单_清空所有项:
        enabled = anyRows;
        break;
      case 菜单_定位文件:
      case 菜单_属性:
        enabled = oneSelected;
        break;
    }
    items.push_back({spec.command, spec.caption, enabled});
  }

  POINT at{};
  GetCursorPos(&at);
  at.x += app::Scale(kMenuOffset, dpi());
  at.y += app::Scale(kMenuOffset, dpi());
  const int chosen = ShowPopupMenu(hwnd(), items, at);
  if (chosen != 0) OnMenuCommand(chosen);
}

void BatchWindow::OnMenuCommand(int command) {
  switch (command) {
    case 菜单_移除选中项:
      RemoveSelectedRows();
      break;
    case 菜单_清空所有项:
      ClearRows();
      break;
    case 菜单_定位文件:
      LocateSelectedFile();
      break;
    case 菜单_属性:
      ShowSelectedFileProperties();
      break;
  }
}

void BatchWindow::RemoveSelectedRows() {
  if (!app::Ask(hwnd(), app::Message::kConfirmRemove)) return;
  HWND list = controls()[超级列表框];
  std::vector<bool> selected(rows_.size(), false);
  for (int row = app::LvFirstSelected(list); row >= 0;
       row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED))) {
    if (static_cast<std::size_t>(row) < selected.size()) selected[static_cast<std::size_t>(row)] = true;
  }
  rows_.RemoveMarked(selected);
  // The list keeps selection by row number: clear it before the rows move up.
  LVITEMW none{};
  none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  SendMessageW(list, LVM_SETITEMCOUNT, rows_.size(), 0);
  InvalidateRect(list, nullptr, TRUE);
  const int remaining = static_cast<int>(rows_.size());
  app::SbSetText(controls()[状态条], remaining == 0 ? std::string(kStatusDesignText) : RowCountText(remaining));
}

void BatchWindow::ClearRows() {
  if (!app::Ask(hwnd(), app::Message::kConfirmClear)) return;
  rows_.Clear();
  SendMessageA(controls()[超级列表框], LVM_DELETEALLITEMS, 0, 0);
  app::SbSetText(controls()[状态条], kStatusDesignText);
}

void BatchWindow::LocateSelectedFile() {
  HWND list = controls()[超级列表框];
  const int row = app::LvFirstSelected(list);
  if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return;
  if (!LocateFile(rows_[static_cast<std::size_t>(row)].path)) app::ShowMessage(hwnd(), app::Message::kLocateFailed);
}

void BatchWindow::ShowSelectedFileProperties() {
  HWND list = controls()[超级列表框];
  const int row = app::LvFirstSelected(list);
  if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return;
  if (!ShowFileProperties(hwnd(), rows_[static_cast<std::size_t>(row)].path))
    app::ShowMessage(hwnd(), app::Message::kPropertiesFailed);
}

void BatchWindow::OnLabelPressed(int label) {
  // The labels sit in the settings group, which takes no input while busy; a press that comes
  // in some other way must not change what a running batch writes either.
  if (IsBusy()) return;
  for (const TimeSwitch& entry : kTimeSwitches) {
    if (entry.label != label) continue;
    HWND picker = controls()[entry.picker];
    EnableWindow(picker, !IsWindowEnabled(picker));
    // The label's colour follows the picker's state when it is painted next.
    InvalidateRect(controls()[entry.label], nullptr, TRUE);
    return;
  }
}

}  // namespace ui::batch
