#include "tabstrip/win32/page_hosting.h"

#include "tabstrip/win32/window_style_bits.h"

namespace orvane::win32 {

void HostPageWindow(HWND container, HWND page) {
  RECT client{};
  ::GetClientRect(container, &client);
  ::SetParent(page, container);
  SetWindowStyleBits(page, GWL_STYLE, kPageStyleCleared, kPageStyleSet, SWP_FRAMECHANGED);
  ::SetWindowPos(page, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                 kHostPageFlags);
}

void FitPageWindow(HWND container, HWND page) {
  RECT client{};
  ::GetClientRect(container, &client);
  ::SetWindowPos(page, HWND_TOP, 0, 0, client.right - client.left, client.bottom - client.top,
                 kFitPageFlags);
}

}  // namespace orvane::win32
