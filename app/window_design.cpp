#include "app/window_design.h"

#include <commctrl.h>

#include "app/dpi.h"

namespace app {
namespace {

// Containers are real parents of their controls; what those controls send to their parent
// belongs to the top window's handlers.
LRESULT CALLBACK ContainerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) noexcept {
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return SendMessageA(GetAncestor(hwnd, GA_ROOT), msg, wParam, lParam);
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, ContainerProc, 0);
      break;
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

bool IsStatusBar(const ControlSpec& control) { return lstrcmpiA(control.className, STATUSCLASSNAMEA) == 0; }

bool IsContainer(std::span<const ControlSpec> design, int id) {
  for (const ControlSpec& spec : design)
    if (spec.parent == id) return true;
  return false;
}

}  // namespace

HWND ControlMap::operator[](int id) const noexcept {
  for (const auto& [controlId, hwnd] : controls_)
    if (controlId == id) return hwnd;
  return nullptr;
}

int ControlMap::IdOf(HWND hwnd) const noexcept {
  for (const auto& [controlId, control] : controls_)
    if (control == hwnd) return controlId;
  return 0;
}

ControlMap BuildControls(HWND window, std::span<const ControlSpec> design) {
  ControlMap map;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  for (const ControlSpec& spec : design) {
    HWND parent = spec.parent ? map[spec.parent] : window;
    const bool container = IsContainer(design, spec.id);
    // WS_EX_CONTROLPARENT lets Tab and access keys reach the controls inside a container.
    const DWORD exStyle = spec.exStyle | (container ? WS_EX_CONTROLPARENT : 0);
    HWND hwnd = CreateWindowExA(exStyle, spec.className, spec.text, WS_CHILD | WS_VISIBLE | spec.style, spec.x,
                                spec.y, spec.width, spec.height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance, nullptr);
    if (!hwnd) continue;
    if (container) SetWindowSubclass(hwnd, ContainerProc, 0, 0);
    map.Add(spec.id, hwnd);
  }
  return map;
}

void LayOutControls(const ControlMap& controls, std::span<const ControlSpec> design, UINT dpi, HFONT font) {
  for (const ControlSpec& control : design) {
    HWND hwnd = controls[control.id];
    if (!hwnd) continue;
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    int x = Scale(control.x, dpi), y = Scale(control.y, dpi);
    int width = Scale(control.width, dpi);
    const int height = Scale(control.height, dpi);
    if (IsStatusBar(control)) {
      RECT container{};
      GetClientRect(GetParent(hwnd), &container);
      x = 0;
      y = container.bottom - height;
      width = container.right;
    }
    SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace app
