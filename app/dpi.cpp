#include "app/dpi.h"

namespace app {

UINT DpiOf(HWND window) noexcept {
  const UINT dpi = GetDpiForWindow(window);
  return dpi ? dpi : kDesignDpi;
}

GuiFont::GuiFont(UINT dpi) {
  const auto stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTW font{};
  GetObjectW(stock, sizeof font, &font);
  const int designHeight = Rescale(font.lfHeight, GetDpiForSystem(), kDesignDpi);
  const int height = Scale(designHeight, dpi);
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
                                                  GetSystemMetricsForDpi(metricX, dpi),
                                                  GetSystemMetricsForDpi(metricY, dpi), 0)));
}

}  // namespace app
