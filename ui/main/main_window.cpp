#include "ui/main/main_window.h"

#include <commctrl.h>

#include "app/change_history.h"
#include "app/command_line.h"
#include "app/controls.h"
#include "app/message_boxes.h"
#include "app/window_switch.h"
#include "core/file_stamp.h"
#include "ui/main/banner.h"
#include "ui/main/main_design.h"
#include "ui/main/open_file_dialog.h"

namespace ui::main {
namespace {

// Posted at the first activation, so the command line is taken after the window is painted.
constexpr UINT kFirstActivated = WM_APP + 1;

constexpr int kLabels[] = {标签_文件属性, 标签_文件大小, 标签_访问时间, 标签_修改时间, 标签_创建时间};
constexpr int kEnabledByShowFile[] = {按钮_修改,   编辑框_文件大小, 日期框_创建时间, 日期框_修改时间, 日期框_访问时间,
                                      选择框_只读, 选择框_存档,     选择框_隐藏,     选择框_系统};
constexpr int kPickers[] = {日期框_创建时间, 日期框_修改时间, 日期框_访问时间};

}  // namespace

MainWindow::MainWindow(std::string commandLine) : commandLine_(std::move(commandLine)) {}

MainWindow::~MainWindow() {
  if (hwnd()) DestroyWindow(hwnd());
}

bool MainWindow::Create() {
  return CreateFrame({"FileStampMainWindow", kCaption, kDesignWidth, kDesignHeight, kClientHeight, MainDesign()});
}

void MainWindow::OnCreated() {
  whiteBrush_.reset(CreateSolidBrush(RGB(255, 255, 255)));
  ShowBanner();
  for (int picker : kPickers) app::DtpSetFormat(controls()[picker], core::kDateTimeFormat);
  dropTarget_ = app::FileDropTarget::Register(hwnd(), [this](std::vector<std::string> paths) { TakePaths(paths); });
}

// The banner sits above the client area and is never seen; it is kept for the design's sake.
void MainWindow::ShowBanner() {
  banner_ = LoadBanner();
  OLE_HANDLE bitmap = 0;
  if (!banner_ || FAILED(banner_->get_Handle(&bitmap))) return;
  SendMessageA(controls()[图片框1], STM_SETIMAGE, IMAGE_BITMAP, static_cast<LPARAM>(bitmap));
}

void MainWindow::OnFirstActivated() {
  const std::vector<std::string> arguments = app::SplitCommandLine(commandLine_);
  if (!arguments.empty()) TakePaths(arguments);
}

void MainWindow::TakePaths(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  if (paths.size() == 1) {
    const core::AttributeSet attributes = core::ReadAttributes(paths.front());
    if (attributes == core::KeepAttributes || !(attributes & core::kDirectory)) {
      app::SetText(controls()[编辑框_文件路径], paths.front());
      ShowFile(app::GetText(controls()[编辑框_文件路径]));
      return;
    }
  }
  app::HandPathsToBatchWindow(paths);
}

void MainWindow::ShowFile(const std::string& path) {
  const core::FileSize size = core::ReadFileSize(path);
  // A path that is not there has no size to show.
  app::SetText(controls()[编辑框_文件大小], size.found ? core::FormatSizeText(size.bytes) : std::string());

  // Each picker remembers the time it showed for this file. A time that could not be read, or
  // that the picker refused (outside its range), leaves the previous file's value in it; until
  // the user sets it, that value is never written to this file.
  const auto times = core::ReadFileTimes(path).value_or(core::FileTimes{});
  const std::optional<core::LocalDateTime> read[] = {times.creation, times.modification, times.access};
  for (std::size_t i = 0; i < std::size(kPickers); ++i) {
    const bool shown = read[i] && app::DtpSetTime(controls()[kPickers[i]], *read[i]);
    pickers_[i] = {shown ? read[i] : std::nullopt, false};
  }

  for (int box : {选择框_存档, 选择框_系统, 选择框_隐藏, 选择框_只读}) app::SetChecked(controls()[box], false);
  const core::AttributeSet attributes = core::ReadAttributes(path);
  if (attributes != core::KeepAttributes) {
    app::SetChecked(controls()[选择框_只读], attributes & core::kReadOnly);
    app::SetChecked(controls()[选择框_隐藏], attributes & core::kHidden);
    app::SetChecked(controls()[选择框_系统], attributes & core::kSystem);
    app::SetChecked(controls()[选择框_存档], attributes & core::kArchive);
  }

  for (int id : kEnabledByShowFile) EnableWindow(controls()[id], TRUE);
  showingFile_ = true;
  InvalidateRect(controls()[编辑框_文件大小], nullptr, TRUE);
  SetLabelsColor(RGB(0, 0, 0));
}

void MainWindow::SetLabelsColor(COLORREF color) {
  labelColor_ = color;
  for (int id : kLabels) InvalidateRect(controls()[id], nullptr, TRUE);
}

void MainWindow::OnBrowse() {
  const std::optional<std::string> chosen = ChooseFileToOpen(hwnd());
  if (!chosen) return;
  app::SetText(controls()[编辑框_文件路径], *chosen);
  ShowFile(app::GetText(controls()[编辑框_文件路径]));
}

void MainWindow::OnModify() {
  HWND pathBox = controls()[编辑框_文件路径];
  if (!core::PathExists(app::GetText(pathBox))) {
    app::ShowMessage(hwnd(), app::Message::kFileMissing);
    SendMessageA(pathBox, EM_SETSEL, 0, -1);
    SetFocus(pathBox);
    return;
  }
  if (!app::Ask(hwnd(), app::Message::kConfirmModify)) return;

  core::AttributeSet attributes = 0;
  if (app::IsChecked(controls()[选择框_只读])) attributes |= core::kReadOnly;
  if (app::IsChecked(controls()[选择框_存档])) attributes |= core::kArchive;
  if (app::IsChecked(controls()[选择框_隐藏])) attributes |= core::kHidden;
  if (app::IsChecked(controls()[选择框_系统])) attributes |= core::kSystem;

  const std::string path = app::GetText(pathBox);
  const core::LocalDateTime creation = PickerArgument(0), modification = PickerArgument(1),
                            access = PickerArgument(2);
  const auto plan = core::PlanFileStamp(path, creation, modification, access, attributes);
  bool written = false;
  if (plan) {
    // Recorded before it is written, so that the change can be taken back later.
    app::WindowChangeRecord history(app::DescribeStampRequest("main", creation, modification, access, attributes));
    history.Add(*plan);
    history.Begin();
    written = core::ApplyStampPlan(*plan);
    history.Finish(written);
  }
  app::ShowMessage(hwnd(), written ? app::Message::kModifyDone : app::Message::kModifyFailed);
}

// A picker still holding the time it showed for this file passes KeepTime, so that time is
// not written at all: it keeps its sub-second part, and a newer time another program wrote
// since is not put back. The comparison is by value, since a programmatic set sends no
// change notification.
core::LocalDateTime MainWindow::PickerArgument(std::size_t index) const {
  const PickerState& picker = pickers_[index];
  const core::LocalDateTime value = app::DtpGetTime(controls()[kPickers[index]]);
  if (picker.shown ? value == *picker.shown : !picker.setByUser) return core::KeepTime;
  return value;
}

void MainWindow::OnNotify(const NMHDR& header) {
  if (header.code != DTN_DATETIMECHANGE) return;
  const int id = controls().IdOf(header.hwndFrom);
  for (std::size_t i = 0; i < std::size(kPickers); ++i)
    if (kPickers[i] == id) pickers_[i].setByUser = true;  // the user's own value now
}

void MainWindow::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case 按钮_浏览:
      OnBrowse();
      break;
    case 按钮_修改:
      OnModify();
      break;
    case 按钮_批量修改:
      app::SwitchToBatchWindow();
      break;
  }
}

LRESULT MainWindow::OnColorStatic(HDC dc, HWND control) {
  const int id = controls().IdOf(control);
  if (id == 编辑框_文件大小 && showingFile_) {
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, RGB(0, 0, 0));
    return reinterpret_cast<LRESULT>(whiteBrush_.get());
  }
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  if (id == 标签1) {
    SetTextColor(dc, RGB(0, 0, 0));
  } else if (std::find(std::begin(kLabels), std::end(kLabels), id) != std::end(kLabels)) {
    SetTextColor(dc, labelColor_);
  } else {
    return DefaultProc(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
  }
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT MainWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    switch (msg) {
      case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
      case WM_NOTIFY:
        OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        break;
      case WM_CTLCOLORSTATIC:
        return OnColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
      case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !activatedOnce_) {
          activatedOnce_ = true;
          PostMessageA(hwnd(), kFirstActivated, 0, 0);
        }
        break;
      case kFirstActivated:
        OnFirstActivated();
        return 0;
      case app::FileDropTarget::kDropArrived:
        if (dropTarget_) dropTarget_->DeliverPending();
        return 0;
      case WM_NCACTIVATE:
        return app::KeepCaptionActive(hwnd(), wParam, lParam);
      case WM_DESTROY:
        if (dropTarget_) dropTarget_->Revoke();
        break;
    }
  } catch (...) {
    // Nothing may unwind into the system; a failed handler leaves the window as it was.
  }
  return DefaultProc(msg, wParam, lParam);
}

}  // namespace ui::main
