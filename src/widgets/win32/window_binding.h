#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace orvane::win32 {

// Window procedures of the widget windows: the C++ object is bound to its window at
// WM_NCCREATE (it is passed as the creation parameter) and every later message goes to
// its Handle(). Nothing escapes into the system's message dispatch.
template <typename Owner>
LRESULT CALLBACK BoundWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (msg == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lp);
    auto* owner = static_cast<Owner*>(create->lpCreateParams);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    owner->Attach(hwnd);
  }
  auto* owner = reinterpret_cast<Owner*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (owner == nullptr) {
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  }
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    owner->Detach();
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  }
  try {
    return owner->Handle(msg, wp, lp);
  } catch (...) {
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  }
}

// Registers a window class of this module once; later calls find it registered.
void EnsureWindowClass(const wchar_t* name, WNDPROC proc, LPCWSTR cursor, UINT style);

// Text of the program (UTF-8) for the wide calls.
std::wstring Wide(std::string_view utf8);

}  // namespace orvane::win32
