#pragma once

#include <windows.h>

#include <cstdint>

#include "base/win32/native_input.h"

namespace orvane::win32 {

// The buttons held during a mouse message, as the strip's events report them.
inline std::int16_t HeldButtons(WPARAM wParam) {
  return ButtonValue(ButtonsOfFlags(wParam));
}

// Shift, Ctrl and Alt during a mouse message.
inline std::int16_t ShiftState(WPARAM wParam) {
  return ShiftValue(KeysOfFlags(wParam));
}

// The button a press or release message is about.
inline std::int16_t ButtonOf(UINT msg) {
  return ButtonValue(ButtonOfMessage(msg));
}

inline bool IsMouseMessage(UINT msg) {
  return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK;
}

}  // namespace orvane::win32
