#pragma once

#include <windows.h>

#include "base/pointer_input.h"

namespace orvane::win32 {

// The buttons a mouse message's flags say are down.
inline ButtonsDown ButtonsOfFlags(WPARAM flags) {
  return ButtonsDown{(flags & MK_LBUTTON) != 0, (flags & MK_RBUTTON) != 0,
                     (flags & MK_MBUTTON) != 0};
}

// The shift keys during a mouse message: Shift and Ctrl come with its flags, Alt does not.
inline KeysDown KeysOfFlags(WPARAM flags) {
  return KeysDown{(flags & MK_SHIFT) != 0, (flags & MK_CONTROL) != 0, ::GetKeyState(VK_MENU) < 0};
}

// The shift keys as the keyboard state has them at this message.
inline KeysDown KeysNow() {
  return KeysDown{::GetKeyState(VK_SHIFT) < 0, ::GetKeyState(VK_CONTROL) < 0,
                  ::GetKeyState(VK_MENU) < 0};
}

// The one button a press, release or double-click message is about.
inline ButtonsDown ButtonOfMessage(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      return ButtonsDown{true, false, false};
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return ButtonsDown{false, true, false};
    default:
      return ButtonsDown{false, false, true};
  }
}

}  // namespace orvane::win32
