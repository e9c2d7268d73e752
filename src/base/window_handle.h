#pragma once

#include <cstdint>

namespace orvane {

// A platform window as the controls pass it around: an HWND on Windows; on Linux a
// GtkWidget pointer for the tab strip and its pages, an X11 window id for the caption
// bar's frmHwnd. 0 names no window.
using WindowHandle = std::uintptr_t;

}  // namespace orvane
