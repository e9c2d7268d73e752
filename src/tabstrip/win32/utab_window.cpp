#include "tabstrip/win32/utab_window.h"

#include <windowsx.h>

#include "base/property_bag.h"
#include "base/win32/gdi_handles.h"
#include "base/win32/gdi_surface.h"
#include "base/win32/system_cursors.h"
#include "tabstrip/tab_strip_painter.h"
#include "tabstrip/win32/mouse_input.h"
#include "tabstrip/win32/page_hosting.h"

namespace orvane::win32 {
namespace {

constexpr wchar_t kClassName[] = L"OrvaneTabStrip";

}  // namespace

uTabWindow::uTabWindow(HWND parent, const Rect& bounds, HINSTANCE skins)
    // The strip's hook answers an erase request with 0: nothing was erased, the paint
    // that follows covers the window from the back buffer.
    : DoubleBufferedWindow(0), canvas_(skins), strip_(*this, window_ops_), c_Subclass_(*this) {
  HWND hwnd = CreateBoundWindow(kClassName, CS_DBLCLKS, kCursorArrow, 0,
                                WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, bounds, parent, nullptr);
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
  Unbind();
  tooltip_.reset();
  DestroyBoundWindow();
}

void uTabWindow::ReadProperties(const PropertyBag& bag) {
  strip_.ReadProperties(bag);
  if (!own_window_hooked_ && hWnd()) {
    own_window_hooked_ = c_Subclass_.ssc_Subclass(hWnd());
    if (own_window_hooked_) {
      c_Subclass_.ssc_AddMsg(hWnd(), ALL_MESSAGES, WHEN_BEFORE);
    }
  }
}

void uTabWindow::Move(const Rect& bounds) {
  ::MoveWindow(hWnd(), bounds.x, bounds.y, bounds.width, bounds.height, TRUE);
}

LRESULT uTabWindow::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = hWnd();
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
      return Default(msg, wParam, lParam);
  }
}

void uTabWindow::WindowProc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND lng_hWnd,
                            UINT uMsg, WPARAM, LPARAM, LPARAM&) {
  if (lng_hWnd == hWnd()) {
    switch (uMsg) {
      case WM_ERASEBKGND:
      case WM_PAINT:
        bHandled = HandlePaint(uMsg, lReturn);
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

void uTabWindow::PaintBackBuffer(HDC target, Size client) {
  GdiSurface surface(target, client.cx, client.cy);
  strip_.Paint(surface);
}

WindowHandle uTabWindow::ParentForm() const {
  HWND root = ::GetAncestor(hWnd(), GA_ROOT);
  return root == hWnd() ? 0 : FromHwnd(root);
}

void uTabWindow::SetStripHeight(int height) {
  RECT r{};
  ::GetWindowRect(hWnd(), &r);
  if (r.bottom - r.top != height) {
    ::SetWindowPos(hWnd(), nullptr, 0, 0, r.right - r.left, height,
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
  c_Subclass_.TrackMouseTracking(hWnd());
}

void uTabWindow::PresentBackBuffer(const Surface& back_buffer) {
  const WindowDc dc(hWnd());
  if (!dc) {
    return;
  }
  GdiSurface target(dc.get(), back_buffer.Width(), back_buffer.Height());
  target.Copy(Rect{0, 0, back_buffer.Width(), back_buffer.Height()}, back_buffer, Point{0, 0});
}

}  // namespace orvane::win32
