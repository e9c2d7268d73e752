#pragma once

#include <windows.h>

namespace orvane::win32 {

// The boss key's system-wide hotkey: F10 without modifier keys.
inline constexpr int kBossHotKeyId = 1000;
inline constexpr UINT kBossHotKeyVirtualKey = VK_F10;
static_assert(kBossHotKeyVirtualKey == 0x79);
// The tray icon's callback message to the main window.
inline constexpr UINT kTrayCallbackMessage = 0x1862;

// What the main window's procedure replacement hands on.
class MainWindowMessages {
 public:
  virtual ~MainWindowMessages() = default;
  // F10 pressed anywhere, or a left click on the tray icon: hide or show the window.
  virtual void ToggleMainWindow() = 0;
  // A right click on the tray icon: the program menu at the mouse position.
  virtual void ShowProgramMenu() = 0;
  // Every tray callback with the mouse message the shell put in lParam. By default a left
  // button release toggles the window and a right one shows the menu; an owner that
  // decides on the mouse message itself takes them all here.
  virtual void TrayCallback(UINT mouse_message) {
    if (mouse_message == WM_LBUTTONUP) {
      ToggleMainWindow();
    } else if (mouse_message == WM_RBUTTONUP) {
      ShowProgramMenu();
    }
  }
};

// Registers F10 for `hWnd` and puts `MainWindowProc` in front of its procedure, keeping
// the previous one. A refused registration (another program holds F10) is ignored: the
// window and its menu work as before, only the key does nothing. Returns whether the
// hotkey was registered. One main window at a time.
bool HookHotKey(HWND hWnd, MainWindowMessages& owner);
// Unregisters the hotkey and puts back the procedure kept by `HookHotKey`.
void UnhookHotKey(HWND hWnd);

// The main window's procedure replacement: the hotkey and the tray icon's clicks, then
// every message (handled or not) goes on to the previous procedure.
LRESULT CALLBACK MainWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

}  // namespace orvane::win32
