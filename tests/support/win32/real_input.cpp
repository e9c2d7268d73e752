#include "support/win32/real_input.h"

namespace orvane::win32::test_input {

void Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

Colour PixelOf(HWND window, int x, int y) {
  HDC dc = ::GetDC(window);
  const COLORREF c = ::GetPixel(dc, x, y);
  ::ReleaseDC(window, dc);
  return c;
}

void MouseTo(int x, int y) {
  ::SetCursorPos(x, y);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = x * 65536 / ::GetSystemMetrics(SM_CXSCREEN) + 1;
  input.mi.dy = y * 65536 / ::GetSystemMetrics(SM_CYSCREEN) + 1;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &input, sizeof(input));
}

void MouseButton(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  ::SendInput(1, &input, sizeof(input));
}

}  // namespace orvane::win32::test_input
