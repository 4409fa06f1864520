#include "ui/batch/batch_window.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "app/com_scope.h"
#include "app/controls.h"
#include "app/dpi.h"
#include "app/message_boxes.h"
#include "app/window_switch.h"
#include "core/local_date_time.h"
#include "core/text_encoding.h"
#include "resource_ids.h"
#include "ui/batch/batch_design.h"
#include "ui/batch/batch_list.h"
#include "ui/batch/folder_browser.h"

namespace ui::batch {
namespace {

constexpr UINT kLabelPressed = WM_APP + 2;  // wParam: the label's id
// LVFI_SUBSTRING (Windows Vista on), the same search as LVFI_PARTIAL; MinGW's header lacks it.
constexpr UINT kFindSubstring = 0x0004;
constexpr int kPickers[] = {日期框_创建时间, 日期框_修改时间, 日期框_访问时间};
constexpr int kTimeLabels[] = {标签_创建时间, 标签_修改时间, 标签_访问时间};

// The one batch window; a closed one is kept until the next opening or the end of the
// process, so that it is never deleted while its own messages are still on the stack.
std::unique_ptr<BatchWindow> g_open;
std::unique_ptr<BatchWindow> g_closed;

// The time labels show the hand cursor and report a left-button press to the window.
LRESULT CALLBACK TimeLabelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) noexcept {
  switch (msg) {
    case WM_SETCURSOR:
      SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)));  // IDC_HAND
      return TRUE;
    case WM_LBUTTONDOWN:
      SendMessageA(GetAncestor(hwnd, GA_ROOT), kLabelPressed, static_cast<WPARAM>(GetDlgCtrlID(hwnd)), 0);
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, TimeLabelProc, 0);
      break;
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

BatchWindow::~BatchWindow() {
  if (hwnd()) DestroyWindow(hwnd());
}

bool BatchWindow::Create() {
  return CreateFrame({"FileStampBatchWindow", kCaption, kDesignWidth, kDesignHeight, kClientHeight, BatchDesign()});
}

void BatchWindow::OnCreated() {
  busy_.SetGroup(controls()[分组框]);
  for (int label : kTimeLabels) SetWindowSubclass(controls()[label], TimeLabelProc, 0, 0);
  SetUpList();
  SetUpStatusBar();
  for (int picker : kPickers) app::DtpSetFormat(controls()[picker], core::kDateTimeFormat);
  dropTarget_ =
      app::FileDropTarget::Register(hwnd(), [this](std::vector<std::string> paths) { AddPaths(std::move(paths)); });
}

void BatchWindow::SetUpList() {
  HWND list = controls()[超级列表框];
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_INFOTIP);
  SendMessageA(list, LVM_SETTEXTCOLOR, 0, RGB(0, 0, 0));
  SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, RGB(255, 255, 255));
  SendMessageA(list, LVM_SETBKCOLOR, 0, RGB(255, 255, 255));
  int index = 0;
  for (const ColumnSpec& spec : BatchColumns()) {
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = spec.width;
    column.pszText = const_cast<char*>(spec.header);
    column.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
    ++index;
  }
}

void BatchWindow::SetUpStatusBar() {
  HWND status = controls()[状态条];
  int right = -1;  // one part, to the right edge
  SendMessageA(status, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&right));
  app::SbSetText(status, kStatusDesignText);
}

void BatchWindow::OnDpiLayout(UINT from, UINT to) {
  HWND list = controls()[超级列表框];
  // Widths as they are now, the user's own included, carried over to the new DPI.
  for (int column = 0; column < static_cast<int>(BatchColumns().size()); ++column) {
    const auto width = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
    SendMessageA(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), app::Rescale(width, from, to));
  }

  const int iconSize = app::MetricAt(SM_CXSMICON, to);
  app::UniqueIcon statusIcon = app::LoadIconAt(IDI_SPEAKER, SM_CXSMICON, SM_CYSMICON, to);
  SendMessageA(controls()[状态条], SB_SETICON, 0, reinterpret_cast<LPARAM>(statusIcon.get()));
  statusIcon_ = std::move(statusIcon);

  // The row images are made at the first layout, at the window's DPI. A list made anew for
  // another DPI replaces the old one, which goes only once the list view shows the new one.
  app::UniqueImageList oldImages;
  if (icons_) {
    oldImages = icons_->Resize(iconSize);
  } else {
    icons_ = std::make_unique<RowIcons>(static_cast<COLORREF>(SendMessageA(list, LVM_GETBKCOLOR, 0, 0)), iconSize);
  }
  SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons_->images()));
}

bool BatchWindow::IsBusy() const { return busy_.IsBusy(); }

void BatchWindow::AddPaths(std::vector<std::string> paths) {
  if (paths.empty()) return;
  queuedAdds_.push_back(std::move(paths));
  // A drop that arrives while work goes on waits for it: nesting would end the busy state
  // early and mix its rows into the middle of the running add.
  if (!IsBusy()) RunQueuedAdds();
}

void BatchWindow::RunQueuedAdds() {
  while (!queuedAdds_.empty() && hwnd()) {
    std::vector<std::string> paths = std::move(queuedAdds_.front());
    queuedAdds_.pop_front();
    const app::BusyState::Scope busy(busy_);
    const app::ComScope com;
    BatchList(controls()[超级列表框], controls()[状态条], rows_, *icons_).AddPaths(paths);
  }
}

void BatchWindow::AppendRow(BatchRow row) {
  rows_.Append(std::move(row));
  ShowRowsInList(controls()[超级列表框], rows_.size());
}

void BatchWindow::FillDisplayInfo(LVITEMW& item) const {
  if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= rows_.size()) return;
  const BatchRow& row = rows_[static_cast<std::size_t>(item.iItem)];
  if (item.mask & LVIF_TEXT && item.pszText && item.cchTextMax > 0) {
    const std::wstring text =
        core::Utf8ToWide(rows_.CellText(static_cast<std::size_t>(item.iItem), static_cast<Column>(item.iSubItem)));
    // As much as fits, never half a surrogate pair.
    std::size_t length = std::min<std::size_t>(text.size(), static_cast<std::size_t>(item.cchTextMax) - 1);
    if (length > 0 && length < text.size() && IS_HIGH_SURROGATE(text[length - 1])) --length;
    text.copy(item.pszText, length);
    item.pszText[length] = L'\0';
  }
  if (item.mask & LVIF_IMAGE) item.iImage = item.iSubItem == kColumnName ? row.image : -1;
  if (item.mask & LVIF_INDENT) item.iIndent = row.indent;
}

LRESULT BatchWindow::FindRow(const NMLVFINDITEMW& find) const {
  const LVFINDINFOW& info = find.lvfi;
  // Rows carry no item data and the report view has no positions: only names are searched.
  if (info.flags & (LVFI_PARAM | LVFI_NEARESTXY) || !info.psz) return -1;
  const auto match =
      info.flags & (LVFI_PARTIAL | kFindSubstring) ? BatchRows::NameMatch::kPrefix : BatchRows::NameMatch::kWhole;
  const auto start = static_cast<std::size_t>(std::max(find.iStart, 0));
  const auto row = rows_.FindName(info.psz, start, match, (info.flags & LVFI_WRAP) != 0);
  return row ? static_cast<LRESULT>(*row) : -1;
}

LRESULT BatchWindow::OnNotify(NMHDR& header) {
  if (header.idFrom != 超级列表框) return 0;
  switch (header.code) {
    case NM_RCLICK:
      OnListRightClick();
      break;
    case LVN_GETDISPINFOW:
      FillDisplayInfo(reinterpret_cast<NMLVDISPINFOW&>(header).item);
      break;
    case LVN_ODFINDITEMW:
      // An owner-data list cannot search texts it never holds; without an answer it would
      // report row 0 for every search.
      return FindRow(reinterpret_cast<const NMLVFINDITEMW&>(header));
  }
  return 0;
}

void BatchWindow::OnBrowse() {
  const std::string path = ChooseFileOrFolder(GetActiveWindow());
  if (!path.empty()) AddPaths({path});
}

bool BatchWindow::MayClose() {
  if (!IsBusy()) return true;
  app::ShowMessage(hwnd(), app::Message::kPleaseWait);
  return false;
}

void BatchWindow::OnCommand(int id, int code) {
  switch (id) {
    case 按钮_浏览文件夹:
      if (code == BN_CLICKED) OnBrowse();
      break;
    case 按钮_批量修改:
      if (code == BN_CLICKED) RunBatch();
      break;
    case 菜单_移除选中项:
    case 菜单_清空所有项:
    case 菜单_定位文件:
    case 菜单_属性:
      OnMenuCommand(id);
      break;
  }
}

LRESULT BatchWindow::OnColorStatic(HDC dc, HWND control) {
  const int id = controls().IdOf(control);
  for (int i = 0; i < 3; ++i) {
    if (id != kTimeLabels[i]) continue;
    const bool on = IsWindowEnabled(controls()[kPickers[i]]);
    SetTextColor(dc, on ? RGB(0, 0, 0) : RGB(128, 128, 128));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  }
  return DefaultProc(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

LRESULT BatchWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    switch (msg) {
      case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
      case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
      case WM_NOTIFYFORMAT:
        // The list asks its cells in UTF-16.
        if (lParam == NF_QUERY) return NFR_UNICODE;
        break;
      case WM_CTLCOLORSTATIC:
        return OnColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
      case app::FileDropTarget::kDropArrived:
        if (dropTarget_) dropTarget_->DeliverPending();
        return 0;
      case WM_NCACTIVATE:
        return app::KeepCaptionActive(hwnd(), wParam, lParam);
      case WM_CLOSE:
        if (MayClose()) DestroyWindow(hwnd());
        return 0;
      case WM_QUERYENDSESSION:
        return MayClose() ? TRUE : FALSE;
      case WM_DESTROY:
        if (dropTarget_) dropTarget_->Revoke();
        queuedAdds_.clear();
        SendMessageA(controls()[超级列表框], LVM_SETIMAGELIST, LVSIL_SMALL, 0);
        icons_.reset();
        app::ReturnToMainWindow();
        break;
      case WM_NCDESTROY:
        if (g_open.get() == this) g_closed = std::move(g_open);
        break;
      case kLabelPressed:
        OnLabelPressed(static_cast<int>(wParam));
        break;  // the label's own handling of the press goes on
    }
  } catch (...) {
    // Nothing may unwind into the system; a failed handler leaves the window as it was.
  }
  return DefaultProc(msg, wParam, lParam);
}

BatchWindow* OpenBatchWindow() { return g_open && g_open->hwnd() ? g_open.get() : nullptr; }

bool OpenNewBatchWindow() {
  g_closed.reset();
  auto window = std::make_unique<BatchWindow>();
  if (!window->Create()) return false;
  g_open = std::move(window);
  g_open->Show();
  return true;
}

}  // namespace ui::batch
