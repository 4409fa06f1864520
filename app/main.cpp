// Temporary start-up: a bare window with the program's caption until the frame lands.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
  HWND window = CreateWindowExA(0, "STATIC", "Tavrin文件时间属性修改器", WS_OVERLAPPEDWINDOW, 100, 100, 479, 283,
                                nullptr, nullptr, nullptr, nullptr);
  ShowWindow(window, show);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
