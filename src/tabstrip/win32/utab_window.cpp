#include "tabstrip/win32/utab_window.h"

#include <windowsx.h>

#include "base/property_bag.h"
#include "base/win32/gdi_surface.h"
#include "tabstrip/tab_strip_painter.h"
#include "tabstrip/win32/mouse_input.h"
#include "tabstrip/win32/page_hosting.h"

namespace orvane::win32 {
namespace {

constexpr wchar_t kClassName[] = L"OrvaneTabStrip";

// Registered once per process, the first time a strip is created.
ATOM StripClass() {
  static const ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &uTabWindow::WndProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.lpszClassName = kClassName;
    return ::RegisterClassExW(&wc);
  }();
  return atom;
}

}  // namespace

uTabWindow::uTabWindow(HWND parent, const Rect& bounds, HINSTANCE skins)
    : canvas_(skins), strip_(*this, window_ops_), c_Subclass_(*this) {
  StripClass();
  // The window procedure is bound at WM_NCCREATE through the creation parameter.
  HWND hwnd = ::CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                bounds.x, bounds.y, bounds.width, bounds.height, parent, nullptr,
                                ::GetModuleHandleW(nullptr), this);
  window_.reset(hwnd);
  tooltip_ = std::make_unique<StripTooltip>(hwnd);
  try {
    strip_.SetPainter(std::make_unique<TabStripPainter>(canvas_, strip_));
  } catch (const std::exception&) {
    // Without its skins the strip still works; it only shows no picture.
  }
  // The first own resize builds the buffers for the size the window was created with.
  RECT client{};
  ::GetClientRect(hwnd, &client);
  strip_.Resize(client.right - client.left);
}

uTabWindow::~uTabWindow() {
  c_Subclass_.ssc_Terminate();
  // Messages of the window's own destruction find no strip any more.
  if (window_) {
    ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
  }
  tooltip_.reset();
  window_.reset();
}

void uTabWindow::ReadProperties(const PropertyBag& bag) {
  strip_.ReadProperties(bag);
  if (!own_window_hooked_ && window_) {
    own_window_hooked_ = c_Subclass_.ssc_Subclass(window_.get());
    if (own_window_hooked_) {
      c_Subclass_.ssc_AddMsg(window_.get(), ALL_MESSAGES, WHEN_BEFORE);
    }
  }
}

void uTabWindow::Move(const Rect& bounds) {
  ::MoveWindow(window_.get(), bounds.x, bounds.y, bounds.width, bounds.height, TRUE);
}

LRESULT CALLBACK uTabWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<uTabWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) {
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  try {
    return self->HandleMessage(hwnd, msg, wParam, lParam);
  } catch (...) {
    // Nothing a strip does may escape into the system's message dispatch.
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

LRESULT uTabWindow::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (IsMouseMessage(msg)) {
    tooltip_->Relay(hwnd, msg, wParam, lParam);
  }
  const float x = static_cast<float>(GET_X_LPARAM(lParam));
  const float y = static_cast<float>(GET_Y_LPARAM(lParam));
  switch (msg) {
    case WM_SIZE:
      strip_.Resize(LOWORD(lParam));
      return 0;
    case WM_MOUSEMOVE:
      strip_.MouseMove(HeldButtons(wParam), ShiftState(wParam), x, y);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      // The strip keeps the mouse while a button is held, so that the release is its own.
      ::SetCapture(hwnd);
      strip_.MouseDown(ButtonOf(msg), ShiftState(wParam), x, y);
      return 0;
    case WM_LBUTTONDBLCLK:
      ::SetCapture(hwnd);
      strip_.DblClick();
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (HeldButtons(wParam) == 0 && ::GetCapture() == hwnd) {
        ::ReleaseCapture();
      }
      strip_.MouseUp(ButtonOf(msg), ShiftState(wParam), x, y);
      return 0;
    default:
      return ::DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

void uTabWindow::WindowProc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND lng_hWnd,
                            UINT uMsg, WPARAM, LPARAM, LPARAM&) {
  if (lng_hWnd == window_.get()) {
    switch (uMsg) {
      case WM_ERASEBKGND:
        bHandled = true;
        lReturn = 0;
        return;
      case WM_PAINT:
        PaintFromBackBuffer();
        bHandled = true;
        lReturn = 0;
        return;
      case WM_MOUSELEAVE:
        strip_.MouseLeave();
        return;
      default:
        return;
    }
  }
  if (uMsg == WM_SIZE && !bBefore) {
    strip_.ContainerResized();
  }
}

void uTabWindow::PaintFromBackBuffer() {
  PAINTSTRUCT ps{};
  HDC dc = ::BeginPaint(window_.get(), &ps);
  if (dc) {
    RECT client{};
    ::GetClientRect(window_.get(), &client);
    GdiSurface target(dc, client.right, client.bottom);
    strip_.Paint(target);
  }
  ::EndPaint(window_.get(), &ps);
}

WindowHandle uTabWindow::ParentForm() const {
  HWND root = ::GetAncestor(window_.get(), GA_ROOT);
  return root == window_.get() ? 0 : FromHwnd(root);
}

void uTabWindow::SetStripHeight(int height) {
  RECT r{};
  ::GetWindowRect(window_.get(), &r);
  if (r.bottom - r.top != height) {
    ::SetWindowPos(window_.get(), nullptr, 0, 0, r.right - r.left, height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void uTabWindow::WatchContainer(WindowHandle container) {
  HookContainer(ToHwnd(container));
}

void uTabWindow::HookContainer(HWND container) {
  if (container == hooked_container_) {
    return;
  }
  if (hooked_container_) {
    c_Subclass_.ssc_UnSubclass(hooked_container_);
    hooked_container_ = nullptr;
  }
  if (container && c_Subclass_.ssc_Subclass(container)) {
    c_Subclass_.ssc_AddMsg(container, WM_SIZE, WHEN_AFTER);
    hooked_container_ = container;
  }
}

void uTabWindow::HostPage(WindowHandle container, WindowHandle page) {
  HostPageWindow(ToHwnd(container), ToHwnd(page));
}

void uTabWindow::FitPage(WindowHandle container, WindowHandle page) {
  FitPageWindow(ToHwnd(container), ToHwnd(page));
}

void uTabWindow::TrackMouseLeave() {
  c_Subclass_.TrackMouseTracking(window_.get());
}

void uTabWindow::PresentBackBuffer(const Surface& back_buffer) {
  HDC dc = ::GetDC(window_.get());
  if (!dc) {
    return;
  }
  {
    GdiSurface target(dc, back_buffer.Width(), back_buffer.Height());
    target.Copy(Rect{0, 0, back_buffer.Width(), back_buffer.Height()}, back_buffer, Point{0, 0});
  }
  ::ReleaseDC(window_.get(), dc);
}

}  // namespace orvane::win32
