#include "app/window.h"

#include <utility>

#include "app/window_switch.h"
#include "resource_ids.h"

namespace app {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Sets the window's height so that its client area is exactly clientHeight high, whatever
// the system's frame and caption sizes.
void FixClientHeight(HWND window, int clientHeight) {
  RECT outer{}, client{};
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  const int height = (outer.bottom - outer.top) + clientHeight - (client.bottom - client.top);
  SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

Window::~Window() {
  // Normally the window is gone already; if not, it is destroyed with only the base
  // handling, since the derived part of the object no longer exists.
  if (hwnd_) DestroyWindow(hwnd_);
}

bool Window::CreateFrame(const Frame& frame) {
  frame_ = frame;
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
  // Made hidden on the primary screen first: only a window can tell the DPI of the monitor it
  // is on. It is sized and centred at that DPI right after.
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  if (!CreateWindowExA(0, frame.className, frame.caption, kStyle, (screenWidth - frame.width) / 2,
                       (screenHeight - frame.height) / 2, frame.width, frame.height, nullptr, nullptr, instance, this))
    return false;
  const UINT dpi = DpiOf(hwnd_);
  const int width = Scale(frame.width, dpi);
  const int height = Scale(frame.height, dpi);
  SetWindowPos(hwnd_, nullptr, (screenWidth - width) / 2, (screenHeight - height) / 2, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  controls_ = BuildControls(hwnd_, frame.design);
  OnCreated();
  LayOut(dpi);
  return true;
}

void Window::LayOut(UINT dpi) {
  const UINT from = std::exchange(dpi_, dpi);
  // Client height first: the status bar goes on the bottom edge it gives.
  FixClientHeight(hwnd_, Scale(frame_.clientHeight, dpi));
  GuiFont font(dpi);
  LayOutControls(controls_, frame_.design, dpi, font.get());
  font_ = std::move(font);  // the old font goes once no control uses it

  UniqueIcon big = LoadIconAt(IDI_FILESTAMP, SM_CXICON, SM_CYICON, dpi);
  UniqueIcon small = LoadIconAt(IDI_FILESTAMP, SM_CXSMICON, SM_CYSMICON, dpi);
  SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
  SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
  bigIcon_ = std::move(big);
  smallIcon_ = std::move(small);

  OnDpiLayout(from, dpi);
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Window::OnDpiChanged(UINT dpi, const RECT& suggested) noexcept {
  try {
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut(dpi);
  } catch (...) {
    // Nothing may unwind into the system; the window keeps the layout it had.
  }
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
  if (msg == WM_DPICHANGED) {
    // The DPI to scale to is the one the message brings: the window's DPI is by definition
    // the last one this message sent.
    self->OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    return 0;
  }
  const LRESULT result = self->OnMessage(msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    TopWindowDestroyed();
  }
  return result;
}

LRESULT KeepCaptionActive(HWND window, WPARAM wParam, LPARAM lParam) noexcept {
  if (IsWindowEnabled(window)) wParam = TRUE;
  return DefWindowProcA(window, WM_NCACTIVATE, wParam, lParam);
}

}  // namespace app
