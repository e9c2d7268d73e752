#pragma once

#include <windows.h>

namespace orvane::win32 {

// The system cursors by number, for the wide cursor calls.
inline const LPCWSTR kCursorArrow = MAKEINTRESOURCEW(32512);
inline const LPCWSTR kCursorHand = MAKEINTRESOURCEW(32649);
inline const LPCWSTR kCursorSizeNWSE = MAKEINTRESOURCEW(32642);
inline const LPCWSTR kCursorSizeNESW = MAKEINTRESOURCEW(32643);
inline const LPCWSTR kCursorSizeWE = MAKEINTRESOURCEW(32644);
inline const LPCWSTR kCursorSizeNS = MAKEINTRESOURCEW(32645);

}  // namespace orvane::win32
