#include "mainwin/win32/mod_msg.h"

namespace orvane::win32 {
namespace {

// The module's state: the one main window's previous procedure and its owner.
struct HookState {
  HWND window = nullptr;
  WNDPROC previous = nullptr;
  MainWindowMessages* owner = nullptr;
};
HookState g_hook;

}  // namespace

bool HookHotKey(HWND hWnd, MainWindowMessages& owner) {
  if (g_hook.window) {
    return false;  // one main window; a second hook would lose the first previous procedure
  }
  const bool registered = ::RegisterHotKey(hWnd, kBossHotKeyId, 0, kBossHotKeyVirtualKey) != 0;
  g_hook.window = hWnd;
  g_hook.owner = &owner;
  g_hook.previous = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainWindowProc)));
  return registered;
}

void UnhookHotKey(HWND hWnd) {
  if (!g_hook.window || hWnd != g_hook.window) {
    return;
  }
  ::UnregisterHotKey(hWnd, kBossHotKeyId);
  // Put the previous procedure back only while ours is the window's procedure: another
  // replacement installed after ours still calls ours, and putting the previous one back
  // would cut that one out. Ours then stays in the chain and only passes messages on.
  if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) == &MainWindowProc) {
    ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_hook.previous));
    g_hook = {};
  } else {
    g_hook.owner = nullptr;
  }
}

LRESULT CALLBACK MainWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (g_hook.owner && hWnd == g_hook.window) {
    if (uMsg == WM_HOTKEY && HIWORD(lParam) == kBossHotKeyVirtualKey) {
      g_hook.owner->ToggleMainWindow();
    } else if (uMsg == kTrayCallbackMessage) {
      g_hook.owner->TrayCallback(static_cast<UINT>(lParam));
    }
  }
  const WNDPROC previous = g_hook.previous;
  if (!previous) {
    return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
  }
  if (uMsg == WM_NCDESTROY && hWnd == g_hook.window) {
    // The window is going while ours is still in its chain (a later replacement kept it
    // there): the module lets go of it, so that a later main window can be hooked.
    const LRESULT result = ::CallWindowProcW(previous, hWnd, uMsg, wParam, lParam);
    ::UnregisterHotKey(hWnd, kBossHotKeyId);
    g_hook = {};
    return result;
  }
  return ::CallWindowProcW(previous, hWnd, uMsg, wParam, lParam);
}

}  // namespace orvane::win32
