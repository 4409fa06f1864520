#pragma once

#include <windows.h>

#include <span>
#include <utility>
#include <vector>

namespace app {

// One control of a window design. Controls are built in table order, which is also the
// tab order; a container must come before the controls it holds.
struct ControlSpec {
  int id;
  int parent;  // id of the containing control, or 0 for the window's client area
  const char* className;
  const char* text;
  DWORD style;  // WS_CHILD and WS_VISIBLE are added
  DWORD exStyle;
  int x, y, width, height;  // relative to the container
};

// Every control of one top window by id; GetDlgItem would miss those inside group boxes.
class ControlMap {
 public:
  HWND operator[](int id) const noexcept;
  void Add(int id, HWND hwnd) { controls_.emplace_back(id, hwnd); }
  int IdOf(HWND hwnd) const noexcept;

 private:
  std::vector<std::pair<int, HWND>> controls_;
};

// Builds the design under the window at its design places and makes each container pass its
// controls' notifications up to the window.
ControlMap BuildControls(HWND window, std::span<const ControlSpec> design);

// Gives every control of the design the font and its place at the DPI. A status bar lies
// along the bottom edge of its container: only its height comes from the design.
void LayOutControls(const ControlMap& controls, std::span<const ControlSpec> design, UINT dpi, HFONT font);

}  // namespace app
