#pragma once

#include <cstdint>

namespace orvane {

// A platform window as the tab strip and its pages pass it around: an HWND on Windows,
// a GtkWidget pointer on Linux. 0 names no window.
using WindowHandle = std::uintptr_t;

}  // namespace orvane
