#pragma once

#include <windows.h>

namespace orvane::win32 {

// Keeps the login window on the background window's top-left corner through every move of
// the background window: `HookLoginBgWindow` puts `LoginBgWindowProc` in front of the
// background window's own procedure, `UnhookLoginBgWindow` puts the previous one back.
// The previous procedure and the login window are kept on the background window itself
// (window properties), so each background window carries its own.
bool HookLoginBgWindow(HWND background, HWND login);
void UnhookLoginBgWindow(HWND background);

// On WM_MOVE moves the login window (size unchanged) so that its top-left corner is the
// background window's; every message, WM_MOVE included, then goes to the previous
// procedure, whose result is returned.
LRESULT CALLBACK LoginBgWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

}  // namespace orvane::win32
