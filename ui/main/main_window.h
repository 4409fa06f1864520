#pragma once

#include <ocidl.h>
#include <wrl/client.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/file_drop_target.h"
#include "app/ui_handles.h"
#include "app/window.h"
#include "core/local_date_time.h"

namespace ui::main {

// The start window: shows and edits the stamp of one file.
class MainWindow final : public app::Window {
 public:
  // commandLine is the process command line, read at the first activation.
  explicit MainWindow(std::string commandLine);
  ~MainWindow() override;

  // Builds the window from its design, hidden; false when the system refuses.
  bool Create();

  // Where a list of paths goes: one file is shown here, anything else goes to the batch window.
  void TakePaths(const std::vector<std::string>& paths);
  // Reads the path into the controls.
  void ShowFile(const std::string& path);

 private:
  void OnCreated() override;
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;
  void ShowBanner();
  void OnFirstActivated();
  void OnCommand(int id, int code);
  void OnNotify(const NMHDR& header);
  // A picker's value for ApplyFileStamp: KeepTime while it still shows the time it was given
  // for this file, or another file's time the user has not changed.
  core::LocalDateTime PickerArgument(std::size_t index) const;
  void OnBrowse();
  void OnModify();
  LRESULT OnColorStatic(HDC dc, HWND control);
  void SetLabelsColor(COLORREF color);

  std::string commandLine_;
  Microsoft::WRL::ComPtr<app::FileDropTarget> dropTarget_;
  bool activatedOnce_ = false;
  bool showingFile_ = false;
  // What a picker (creation, modification, access) was given for the shown file: empty when
  // that time could not be read or shown, so the picker holds the previous file's value.
  struct PickerState {
    std::optional<core::LocalDateTime> shown;
    bool setByUser = false;  // a change notification came from the picker since
  };
  std::array<PickerState, 3> pickers_{};
  COLORREF labelColor_ = RGB(128, 128, 128);
  app::UniqueGdiObject whiteBrush_;
  Microsoft::WRL::ComPtr<IPicture> banner_;
};

}  // namespace ui::main
