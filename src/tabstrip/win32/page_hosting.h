#pragma once

#include <windows.h>

namespace orvane::win32 {

// The style bits a hosted page loses (caption and sizing frame) and gains (child window).
inline constexpr DWORD kPageStyleCleared = WS_CAPTION | WS_THICKFRAME;
static_assert(kPageStyleCleared == 0x00C40000, "the style bits a hosted page loses");
inline constexpr DWORD kPageStyleSet = WS_CHILD;
static_assert(kPageStyleSet == 0x40000000, "the style bit a hosted page gains");
// Taken in: hidden, not activated, z-order unchanged.
inline constexpr UINT kHostPageFlags = SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER;  // 0x94
// Shown: on top of the other pages, not activated.
inline constexpr UINT kFitPageFlags = SWP_SHOWWINDOW | SWP_NOACTIVATE;  // 0x50

// Makes `page` a borderless child of `container` at (0, 0) with the container's client
// size, hidden.
void HostPageWindow(HWND container, HWND page);
// Shows `page` at (0, 0) with the container's client size, above its siblings.
void FitPageWindow(HWND container, HWND page);

}  // namespace orvane::win32
