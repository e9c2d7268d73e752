#pragma once

#include <windows.h>

#include <cstdint>

namespace orvane::win32 {

// The portable code names windows by number; these turn that number into the window
// handle and back.
inline HWND ToHwnd(std::uintptr_t handle) {
  return reinterpret_cast<HWND>(handle);
}
inline std::uintptr_t FromHwnd(HWND window) {
  return reinterpret_cast<std::uintptr_t>(window);
}

}  // namespace orvane::win32
