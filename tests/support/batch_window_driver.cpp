#include "tests/support/batch_window_driver.h"

#include <commctrl.h>

#include <stdexcept>

#include "app/controls.h"
#include "ui/batch/batch_design.h"

namespace testing_support {

using namespace ui::batch;

BatchWindowDriver::BatchWindowDriver() {
  if (!window_.Create()) throw std::runtime_error("batch window not created");
  window_.Show();
}

std::string BatchWindowDriver::StatusText() const { return app::SbGetText(control(状态条)); }

int BatchWindowDriver::RowCount() const { return app::LvRowCount(control(超级列表框)); }

std::string BatchWindowDriver::Cell(int row, int column) const {
  return app::LvGetText(control(超级列表框), row, column);
}

std::vector<std::string> BatchWindowDriver::Column(int column) const {
  std::vector<std::string> cells;
  for (int row = 0; row < RowCount(); ++row) cells.push_back(Cell(row, column));
  return cells;
}

void BatchWindowDriver::AppendRow(const std::string& path, RowKind kind) {
  BatchRow row;
  row.path = path;
  row.kind = kind;
  window_.AppendRow(std::move(row));
}

void BatchWindowDriver::SelectRows(std::initializer_list<int> rows) {
  HWND list = control(超级列表框);
  LVITEMA none{};
  none.stateMask = LVIS_SELECTED;
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  for (int row : rows) {
    LVITEMA selected{};
    selected.stateMask = LVIS_SELECTED;
    selected.state = LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&selected));
  }
}

void BatchWindowDriver::PressLabel(int label) {
  HWND hwnd = control(label);
  SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

COLORREF BatchWindowDriver::LabelColor(int label) const {
  HDC dc = CreateCompatibleDC(nullptr);
  SendMessageA(hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control(label)));
  const COLORREF color = GetTextColor(dc);
  DeleteDC(dc);
  return color;
}

void BatchWindowDriver::Tick(int checkBox, bool ticked) { app::SetChecked(control(checkBox), ticked); }

void BatchWindowDriver::NotifyRightClick() {
  NMITEMACTIVATE click{};
  click.hdr.hwndFrom = control(超级列表框);
  click.hdr.idFrom = 超级列表框;
  click.hdr.code = NM_RCLICK;
  click.iItem = -1;
  SendMessageA(hwnd(), WM_NOTIFY, 超级列表框, reinterpret_cast<LPARAM>(&click));
}

}  // namespace testing_support
