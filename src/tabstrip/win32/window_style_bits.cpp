#include "tabstrip/win32/window_style_bits.h"

namespace orvane::win32 {

void SetWindowStyleBits(HWND window, int which, DWORD clear, DWORD set, UINT flags) {
  const DWORD old_style = static_cast<DWORD>(::GetWindowLongW(window, which));
  const DWORD new_style = (old_style & ~clear) | set;
  if (new_style == old_style) {
    return;
  }
  ::SetWindowLongW(window, which, static_cast<LONG>(new_style));
  if (flags != 0) {
    constexpr UINT kFrameOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;  // 0x17
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0, flags | kFrameOnly);
  }
}

}  // namespace orvane::win32
