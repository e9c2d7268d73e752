#include "login/win32/login_bg_hook.h"

namespace orvane::win32 {
namespace {

constexpr wchar_t kPreviousProc[] = L"OrvaneLoginBgPreviousProc";
constexpr wchar_t kLoginWindow[] = L"OrvaneLoginBgLoginWindow";

WNDPROC PreviousProc(HWND background) {
  return reinterpret_cast<WNDPROC>(::GetPropW(background, kPreviousProc));
}

}  // namespace

bool HookLoginBgWindow(HWND background, HWND login) {
  if (background == nullptr || PreviousProc(background) != nullptr) {
    return false;  // a second hook would make the procedure call itself
  }
  const auto previous = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(background, GWLP_WNDPROC));
  if (previous == nullptr ||
      !::SetPropW(background, kPreviousProc, reinterpret_cast<HANDLE>(previous))) {
    return false;
  }
  ::SetPropW(background, kLoginWindow, login);
  ::SetWindowLongPtrW(background, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LoginBgWindowProc));
  return true;
}

void UnhookLoginBgWindow(HWND background) {
  const WNDPROC previous = PreviousProc(background);
  if (previous == nullptr) {
    return;
  }
  ::SetWindowLongPtrW(background, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  ::RemovePropW(background, kLoginWindow);
  ::RemovePropW(background, kPreviousProc);
}

LRESULT CALLBACK LoginBgWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  const WNDPROC previous = PreviousProc(hWnd);
  if (uMsg == WM_MOVE) {
    HWND login = static_cast<HWND>(::GetPropW(hWnd, kLoginWindow));
    RECT place{};
    if (login != nullptr && ::GetWindowRect(hWnd, &place)) {
      ::SetWindowPos(login, nullptr, place.left, place.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  if (previous == nullptr) {
    return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
  }
  // The window is going: its properties go with the hook, and the previous procedure sees
  // the last message.
  if (uMsg == WM_NCDESTROY) {
    UnhookLoginBgWindow(hWnd);
  }
  return ::CallWindowProcW(previous, hWnd, uMsg, wParam, lParam);
}

}  // namespace orvane::win32
