#pragma once

#include <windows.h>

#include <cstdint>

#include "base/win32/unique_handle.h"

namespace orvane::win32 {

inline HWND ToHwnd(std::uintptr_t handle) {
  return reinterpret_cast<HWND>(handle);
}
inline std::uintptr_t FromHwnd(HWND window) {
  return reinterpret_cast<std::uintptr_t>(window);
}

}  // namespace orvane::win32
