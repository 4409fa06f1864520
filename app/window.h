#pragma once

#include <windows.h>

#include <span>

#include "app/dpi.h"
#include "app/ui_handles.h"
#include "app/window_design.h"

namespace app {

// Base of the program's top-level windows: one registered class per derived window, one
// static procedure that finds the object stored at WM_NCCREATE and calls OnMessage. It builds
// the window's design and lays it out at the window's DPI, and again whenever that changes.
class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const noexcept { return hwnd_; }
  HWND control(int id) const noexcept { return controls_[id]; }
  // The DPI the window is laid out at.
  UINT dpi() const noexcept { return dpi_; }
  // Shows and activates the window and paints it at once.
  void Show();

 protected:
  // All sizes in design pixels (96 DPI).
  struct Frame {
    const char* className;
    const char* caption;
    int width;  // outer design size; the window is centred on the screen with it
    int height;
    int clientHeight;  // kept exactly, whatever the system's frame and caption sizes
    std::span<const ControlSpec> design;
  };
  // Creates the window hidden, with a fixed single frame, a caption with the system menu and
  // a minimize box; builds its design, lets the window set itself up (OnCreated), then lays
  // everything out at the window's DPI. False when the system refuses.
  bool CreateFrame(const Frame& frame);

  const ControlMap& controls() const noexcept { return controls_; }

  // The window's own set-up once its controls exist, before the first layout.
  virtual void OnCreated() {}
  // Whatever the window scales beyond its design's places and font, from the DPI it was laid
  // out at (the design DPI at creation) to the new one.
  virtual void OnDpiLayout(UINT /*from*/, UINT /*to*/) {}

  // The window's messages; the default hands everything to DefWindowProc.
  virtual LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

 private:
  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  void LayOut(UINT dpi);
  void OnDpiChanged(UINT dpi, const RECT& suggested) noexcept;

  HWND hwnd_ = nullptr;
  Frame frame_{};
  ControlMap controls_;
  UINT dpi_ = kDesignDpi;
  // Released only after the window is gone, which still draws with them until then.
  GuiFont font_{kDesignDpi};
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
};

// Shared answer to WM_NCACTIVATE: the caption stays drawn active while the window is enabled.
LRESULT KeepCaptionActive(HWND window, WPARAM wParam, LPARAM lParam) noexcept;

}  // namespace app
