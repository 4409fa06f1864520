// The batch run: one setting of times and flags applied to every row of the list.
#include "ui/batch/batch_window.h"

#include <optional>
#include <string>
#include <vector>

#include "app/change_history.h"
#include "app/controls.h"
#include "app/message_boxes.h"
#include "app/paint_throttle.h"
#include "core/file_stamp.h"
#include "ui/batch/batch_design.h"
#include "ui/batch/batch_list.h"
#include "ui/batch/failure_report.h"

namespace ui::batch {
namespace {

// A switched-off picker (its label was clicked) leaves that time as it is.
core::LocalDateTime PickerArgument(HWND picker) {
  return IsWindowEnabled(picker) ? app::DtpGetTime(picker) : core::KeepTime;
}

std::string TotalsText(int succeeded, int failed) {
  return "已成功处理 " + std::to_string(succeeded) + " 个文件(夹) ; 处理失败 " + std::to_string(failed) + " 个!";
}

}  // namespace

void BatchWindow::RunBatch() {
  // The button sits in the settings group, which takes no input while busy; a click that
  // comes in some other way must not start a second run inside the first.
  if (IsBusy()) return;

  HWND list = controls()[超级列表框];
  // Fixed here: rows that arrive while the run goes on are not part of it.
  const std::size_t rows = rows_.size();
  if (rows == 0) {
    app::ShowMessage(hwnd(), app::Message::kAddFilesFirst);
    return;
  }

  const auto enabled = [&](int id) { return IsWindowEnabled(controls()[id]) != FALSE; };
  const auto ticked = [&](int id) { return app::IsChecked(controls()[id]); };
  if (!enabled(日期框_创建时间) && !enabled(日期框_修改时间) && !enabled(日期框_访问时间) && !ticked(选择框_存档) &&
      !ticked(选择框_系统) && !ticked(选择框_隐藏) && !ticked(选择框_只读)) {
    app::ShowMessage(hwnd(), app::Message::kChooseAttributes);
    return;
  }

  if (!app::Ask(hwnd(), app::Message::kConfirmBatch)) return;

  // The settings group takes no input while the run goes on, so one reading holds for every
  // row. With no box ticked the flags stay; with any ticked the boxes are the whole new set.
  const core::LocalDateTime creation = PickerArgument(controls()[日期框_创建时间]);
  const core::LocalDateTime modification = PickerArgument(controls()[日期框_修改时间]);
  const core::LocalDateTime access = PickerArgument(controls()[日期框_访问时间]);
  core::AttributeSet attributes = 0;
  if (ticked(选择框_只读)) attributes |= core::kReadOnly;
  if (ticked(选择框_隐藏)) attributes |= core::kHidden;
  if (ticked(选择框_系统)) attributes |= core::kSystem;
  if (ticked(选择框_存档)) attributes |= core::kArchive;
  if (attributes == 0) attributes = core::KeepAttributes;

  int succeeded = 0;
  int failed = 0;
  std::vector<std::string> failures;  // in row order
  {
    const app::BusyState::Scope busy(busy_);  // drops wait until the run is over
    app::PaintThrottle painting(list, controls()[状态条]);

    // First what every row holds and is to hold, so that the whole run is in the history
    // before its first write. A row that cannot be planned (gone, a time it cannot take)
    // has failed without being touched.
    std::vector<std::optional<core::StampPlan>> plans(rows);
    app::WindowChangeRecord history(app::DescribeStampRequest("batch", creation, modification, access, attributes));
    for (std::size_t row = 0; row < rows && hwnd(); ++row) {
      painting.PumpIfDue();
      // Drive roots are never stamped.
      if (rows_[row].kind == RowKind::kDriveRoot) continue;
      plans[row] = core::PlanFileStamp(rows_[row].path, creation, modification, access, attributes);
      if (plans[row]) history.Add(*plans[row]);
    }
    history.Begin();

    bool changed = false;
    for (std::size_t row = 0; row < rows && hwnd(); ++row) {
      painting.PumpIfDue();
      if (rows_[row].kind == RowKind::kDriveRoot) continue;

      const std::string& path = rows_[row].path;
      painting.ShowProgress("正在处理 => " + path);

      const auto& plan = plans[row];
      const bool ok = plan && core::ApplyStampPlan(*plan);
      rows_[row].status = ok ? RowStatus::kSucceeded : RowStatus::kFailed;
      if (ok) {
        ++succeeded;
        changed = changed || plan->ChangesPath();
      } else {
        ++failed;
        failures.push_back(path);
      }
    }
    history.Finish(changed);
  }
  if (!hwnd()) return;

  app::SbSetText(controls()[状态条], TotalsText(succeeded, failed));
  ShowFailedPaths(hwnd(), failures);
  app::ShowMessage(hwnd(), app::Message::kBatchDone);

  // Paths dropped while the run went on are added now, after its report.
  RunQueuedAdds();
}

}  // namespace ui::batch
