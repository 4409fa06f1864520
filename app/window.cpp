#include "app/window.h"

#include "app/window_switch.h"
#include "resource_ids.h"

namespace app {

namespace {

// The program icon as the window's large and small icon.
void SetProgramIcon(HWND window) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  // Shared icons from LoadImage need no DestroyIcon.
  auto load = [&](int metricX, int metricY) {
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_FILESTAMP), IMAGE_ICON,
                                         GetSystemMetrics(metricX), GetSystemMetrics(metricY), LR_SHARED));
  };
  SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(load(SM_CXICON, SM_CYICON)));
  SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(load(SM_CXSMICON, SM_CYSMICON)));
}

}  // namespace

Window::~Window() {
  // Normally the window is gone already; if not, it is destroyed with only the base
  // handling, since the derived part of the object no longer exists.
  if (hwnd_) DestroyWindow(hwnd_);
}

bool Window::CreateFrame(const Frame& frame) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  if (!GetClassInfoExA(instance, frame.className, &wc)) {
    wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = StaticProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = frame.className;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_FILESTAMP));
    if (!RegisterClassExA(&wc)) return false;
  }
  const int x = (GetSystemMetrics(SM_CXSCREEN) - frame.width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - frame.height) / 2;
  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  if (!CreateWindowExA(0, frame.className, frame.caption, kStyle, x, y, frame.width, frame.height, nullptr, nullptr,
                       instance, this))
    return false;
  SetProgramIcon(hwnd_);
  return true;
}

void Window::Show() {
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  UpdateWindow(hwnd_);
}

LRESULT Window::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  return DefaultProc(msg, wParam, lParam);
}

LRESULT Window::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Window::StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    TopWindowCreated();
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  const LRESULT result = self->OnMessage(msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    TopWindowDestroyed();
  }
  return result;
}

void FixClientHeight(HWND window, int clientHeight) {
  RECT outer{}, client{};
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  const int height = (outer.bottom - outer.top) + clientHeight - (client.bottom - client.top);
  SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT KeepCaptionActive(HWND window, WPARAM wParam, LPARAM lParam) noexcept {
  if (IsWindowEnabled(window)) wParam = TRUE;
  return DefWindowProcA(window, WM_NCACTIVATE, wParam, lParam);
}


}  // namespace app
