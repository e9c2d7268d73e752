#pragma once

#include <windows.h>

namespace orvane::win32 {

// Clears and sets bits of a window's style word (`which`: GWL_STYLE or GWL_EXSTYLE). When
// the word changes and `flags` is not 0, the window is repositioned with those flags plus
// no-move, no-size, no-z-order and no-activate, so that only its frame is recomputed.
void SetWindowStyleBits(HWND window, int which, DWORD clear, DWORD set, UINT flags);

}  // namespace orvane::win32
