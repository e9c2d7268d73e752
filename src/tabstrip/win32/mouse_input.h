#pragma once

#include <windows.h>

#include <cstdint>

#include "tabstrip/utab_events.h"

namespace orvane::win32 {

// The buttons held during a mouse message, as the strip's events report them.
inline std::int16_t HeldButtons(WPARAM wParam) {
  std::int16_t buttons = 0;
  if (wParam & MK_LBUTTON)
    buttons |= kLeftButton;
  if (wParam & MK_RBUTTON)
    buttons |= kRightButton;
  if (wParam & MK_MBUTTON)
    buttons |= kMiddleButton;
  return buttons;
}

// Shift, Ctrl and Alt during a mouse message.
inline std::int16_t ShiftState(WPARAM wParam) {
  std::int16_t shift = 0;
  if (wParam & MK_SHIFT)
    shift |= kShiftMask;
  if (wParam & MK_CONTROL)
    shift |= kCtrlMask;
  if (::GetKeyState(VK_MENU) < 0)
    shift |= kAltMask;
  return shift;
}

// The button a press or release message is about.
inline std::int16_t ButtonOf(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      return kLeftButton;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return kRightButton;
    default:
      return kMiddleButton;
  }
}

inline bool IsMouseMessage(UINT msg) {
  return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK;
}

}  // namespace orvane::win32
