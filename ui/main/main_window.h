#pragma once

#include <ocidl.h>
#include <wrl/client.h>

#include <string>
#include <vector>

#include "app/file_drop_target.h"
#include "app/ui_handles.h"
#include "app/window.h"
#include "app/window_design.h"

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

  HWND control(int id) const { return controls_[id]; }

 private:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;
  void OnCreated();
  void ShowBanner();
  void OnFirstActivated();
  void OnCommand(int id, int code);
  void OnBrowse();
  void OnModify();
  LRESULT OnColorStatic(HDC dc, HWND control);
  void SetLabelsColor(COLORREF color);

  std::string commandLine_;
  app::ControlMap controls_;
  Microsoft::WRL::ComPtr<app::FileDropTarget> dropTarget_;
  bool activatedOnce_ = false;
  bool showingFile_ = false;
  COLORREF labelColor_ = RGB(128, 128, 128);
  app::UniqueGdiObject whiteBrush_;
  Microsoft::WRL::ComPtr<IPicture> banner_;
};

}  // namespace ui::main
