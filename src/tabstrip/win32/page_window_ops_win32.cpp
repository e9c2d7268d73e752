#include "tabstrip/win32/page_window_ops_win32.h"

#include <windows.h>

#include "base/win32/unique_handle.h"
#include "base/win32/window_handle.h"

namespace orvane::win32 {

std::uint32_t PageWindowOps::WindowStyle(WindowHandle window) {
  return static_cast<std::uint32_t>(::GetWindowLongW(ToHwnd(window), GWL_STYLE));
}

void PageWindowOps::SetWindowStyle(WindowHandle window, std::uint32_t style) {
  ::SetWindowLongW(ToHwnd(window), GWL_STYLE, static_cast<LONG>(style));
}

void PageWindowOps::MakeTopLevel(WindowHandle window) {
  ::SetParent(ToHwnd(window), nullptr);
}

Size PageWindowOps::ScreenSize() {
  return Size{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

Rect PageWindowOps::WindowRect(WindowHandle window) {
  RECT r{};
  ::GetWindowRect(ToHwnd(window), &r);
  return Rect::FromEdges(r.left, r.top, r.right, r.bottom);
}

void PageWindowOps::PlaceOnTopShown(WindowHandle window, int x, int y) {
  ::SetWindowPos(ToHwnd(window), HWND_TOP, x, y, 0, 0,
                 SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOSIZE);
}

void PageWindowOps::Activate(WindowHandle window) {
  ::SetActiveWindow(ToHwnd(window));
}

void PageWindowOps::Repaint(WindowHandle window) {
  ::InvalidateRect(ToHwnd(window), nullptr, TRUE);
  ::UpdateWindow(ToHwnd(window));
}

}  // namespace orvane::win32
