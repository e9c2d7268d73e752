#include "base/win32/window_base.h"

#include <exception>
#include <string>

namespace orvane::win32 {

void RegisterWindowClass(const wchar_t* name, WNDPROC proc, LPCWSTR cursor, UINT style) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  HINSTANCE module = ::GetModuleHandleW(nullptr);
  if (::GetClassInfoExW(module, name, &existing)) {
    return;
  }
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = module;
  wc.hCursor = cursor ? ::LoadCursorW(nullptr, cursor) : nullptr;
  wc.lpszClassName = name;
  ::RegisterClassExW(&wc);
}

void ReportWindowFailure(const char* where, const char* what) noexcept {
  try {
    const std::string line = std::string("Orvane: ") + where + ": " + what + "\n";
    ::OutputDebugStringA(line.c_str());
  } catch (...) {
    ::OutputDebugStringA("Orvane: a window procedure failed\n");
  }
}

HWND BoundWindow::CreateBoundWindow(const wchar_t* class_name, UINT class_style, LPCWSTR cursor,
                                    DWORD ex_style, DWORD style, const Rect& place, HWND parent,
                                    HMENU menu_or_id, const wchar_t* title) {
  RegisterWindowClass(class_name, &BoundWindow::Procedure, cursor, class_style);
  ::CreateWindowExW(ex_style, class_name, title, style, place.x, place.y, place.width, place.height,
                    parent, menu_or_id, ::GetModuleHandleW(nullptr), this);
  // Bound at WM_NCCREATE; empty when the window refused to be made.
  return window_.get();
}

void BoundWindow::Unbind() noexcept {
  if (window_) {
    ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
  }
}

void BoundWindow::DestroyBoundWindow() noexcept {
  Unbind();
  window_.reset();
}

LRESULT CALLBACK BoundWindow::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (msg == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lp);
    auto* self = static_cast<BoundWindow*>(create->lpCreateParams);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_.reset(hwnd);
  }
  auto* self = reinterpret_cast<BoundWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) {
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  }
  if (msg == WM_NCDESTROY) {
    // The window is going by itself (its parent took it down): the object lets go.
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->window_.release();
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  }
  try {
    return self->Handle(msg, wp, lp);
  } catch (const std::exception& e) {
    ReportWindowFailure("window message", e.what());
  } catch (...) {
    ReportWindowFailure("window message", "unknown failure");
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

bool DoubleBufferedWindow::HandlePaint(UINT msg, LRESULT& result) {
  if (msg == WM_ERASEBKGND) {
    result = erase_answer_;
    return true;
  }
  if (msg != WM_PAINT) {
    return false;
  }
  PAINTSTRUCT ps{};
  if (HDC dc = ::BeginPaint(hWnd(), &ps)) {
    RECT client{};
    ::GetClientRect(hWnd(), &client);
    PaintBackBuffer(dc, Size{client.right, client.bottom});
  }
  ::EndPaint(hWnd(), &ps);
  result = 0;
  return true;
}

}  // namespace orvane::win32
