#pragma once

#include <windows.h>

namespace app {

// Base of the program's top-level windows: one registered class per derived window, one
// static procedure that finds the object stored at WM_NCCREATE and calls OnMessage.
class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const noexcept { return hwnd_; }
  // Shows and activates the window and paints it at once.
  void Show();

 protected:
  struct Frame {
    const char* className;
    const char* caption;
    int width;  // outer design size; the window is centred on the screen with it
    int height;
  };
  // Creates the window hidden, with a fixed single frame, a caption with the system menu and
  // a minimize box, and the program's icon; returns false when the system refuses.
  bool CreateFrame(const Frame& frame);

  // The window's messages; the default hands everything to DefWindowProc.
  virtual LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

 private:
  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  HWND hwnd_ = nullptr;
};

// Sets the window's height so that its client area is exactly clientHeight high, whatever
// the system's frame and caption sizes.
void FixClientHeight(HWND window, int clientHeight);

// Shared answer to WM_NCACTIVATE: the caption stays drawn active while the window is enabled.
LRESULT KeepCaptionActive(HWND window, WPARAM wParam, LPARAM lParam) noexcept;


}  // namespace app
