#pragma once

#include <windows.h>

#include "mainwin/tray_menu.h"

namespace orvane::win32 {

// Pops `menu` up at the mouse position as a pop-up menu of `owner` and waits until it
// closes. Returns the position of the chosen item in `menu`, or -1 when none was chosen.
// Separators ("-") and disabled items cannot be chosen.
int TrackProgramMenu(HWND owner, const TrayMenu& menu);

}  // namespace orvane::win32
