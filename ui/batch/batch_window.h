#pragma once

#include <wrl/client.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/busy_state.h"
#include "app/file_drop_target.h"
#include "app/ui_handles.h"
#include "app/window.h"
#include "ui/batch/batch_rows.h"
#include "ui/batch/row_icons.h"

namespace ui::batch {

// The window that applies one setting of times and flags to many paths.
class BatchWindow final : public app::Window {
 public:
  BatchWindow() = default;
  ~BatchWindow() override;

  // Builds the window from its design, hidden; false when the system refuses.
  bool Create();

  // Adds the paths as rows; while the window is busy they wait and are added, in arrival
  // order, as soon as the current work ends.
  void AddPaths(std::vector<std::string> paths);
  // Applies the chosen times and flags to every row.
  void RunBatch();

  bool IsBusy() const;
  HIMAGELIST images() const { return icons_ ? icons_->images() : nullptr; }
  const BatchRows& rows() const { return rows_; }
  // Appends a row as adding makes it (tests give rows no real path can make here, such as a
  // drive root's).
  void AppendRow(BatchRow row);

 private:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;
  void OnCreated() override;
  void OnDpiLayout(UINT from, UINT to) override;
  void SetUpList();
  void SetUpStatusBar();
  void OnCommand(int id, int code);
  void OnBrowse();
  void RunQueuedAdds();
  bool MayClose();
  LRESULT OnColorStatic(HDC dc, HWND control);
  LRESULT OnNotify(NMHDR& header);
  // The list view asks for what a row shows; it stores nothing itself.
  void FillDisplayInfo(LVITEMW& item) const;
  // ... and which row a search (type-to-find, a find message) reaches: its index or -1.
  LRESULT FindRow(const NMLVFINDITEMW& find) const;

  // Context menu, list commands and the time-label switches.
  void OnListRightClick();
  void OnMenuCommand(int command);
  void RemoveSelectedRows();
  void ClearRows();
  void LocateSelectedFile();
  void ShowSelectedFileProperties();
  void OnLabelPressed(int label);

  Microsoft::WRL::ComPtr<app::FileDropTarget> dropTarget_;
  BatchRows rows_;
  std::unique_ptr<RowIcons> icons_;
  app::UniqueIcon statusIcon_;
  std::deque<std::vector<std::string>> queuedAdds_;
  app::BusyState busy_;
};

// Creates and shows a new batch window from its design (the previous one is closed by then);
// false when the system refuses.
bool OpenNewBatchWindow();
// The open batch window, or null.
BatchWindow* OpenBatchWindow();

}  // namespace ui::batch
