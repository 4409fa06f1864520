#include "app/dpi.h"

namespace app {
namespace {

// The per-DPI calls came with Windows 10 1607. Before it the manifest's fallback makes the
// process system aware: every window is at the system's DPI, and the plain calls answer for it.
template <typename Function>
Function* User32Call(const char* name) {
  const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(found));
}

}  // namespace

UINT SystemDpi() noexcept {
  static const auto getDpiForSystem = User32Call<UINT WINAPI()>("GetDpiForSystem");
  if (getDpiForSystem) return getDpiForSystem();
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

UINT DpiOf(HWND window) noexcept {
  static const auto getDpiForWindow = User32Call<UINT WINAPI(HWND)>("GetDpiForWindow");
  const UINT dpi = getDpiForWindow ? getDpiForWindow(window) : SystemDpi();
  return dpi ? dpi : kDesignDpi;
}

int MetricAt(int index, UINT dpi) noexcept {
  static const auto getSystemMetricsForDpi = User32Call<int WINAPI(int, UINT)>("GetSystemMetricsForDpi");
  if (getSystemMetricsForDpi) return getSystemMetricsForDpi(index, dpi);
  return Rescale(GetSystemMetrics(index), SystemDpi(), dpi);
}

GuiFont::GuiFont(UINT dpi) {
  const auto stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTW font{};
  GetObjectW(stock, sizeof font, &font);
  const int height = Scale(Rescale(font.lfHeight, SystemDpi(), kDesignDpi), dpi);
  if (height == font.lfHeight) {
    font_ = stock;
    return;
  }
  font.lfHeight = height;
  own_.reset(CreateFontIndirectW(&font));
  font_ = own_ ? static_cast<HFONT>(own_.get()) : stock;
}

UniqueIcon LoadIconAt(int resource, int metricX, int metricY, UINT dpi) {
  // Not LR_SHARED: a shared icon keeps the size it was first loaded at.
  return UniqueIcon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource), IMAGE_ICON,
                                                  MetricAt(metricX, dpi), MetricAt(metricY, dpi), 0)));
}

}  // namespace app
