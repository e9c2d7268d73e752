#include "widgets/win32/caption_bar_window.h"

#include <windowsx.h>

#include "base/resource_ids.h"
#include "widgets/win32/gdi_text.h"
#include "widgets/win32/ole_picture.h"
#include "widgets/win32/window_binding.h"
#include "widgets/win32/system_cursors.h"

namespace orvane::win32 {

namespace {

constexpr wchar_t kClassName[] = L"OrvaneCaptionBar";

std::int16_t ShiftState(WPARAM wp) {
  std::int16_t shift = 0;
  if (wp & MK_SHIFT) {
    shift |= 1;
  }
  if (wp & MK_CONTROL) {
    shift |= 2;
  }
  if (::GetKeyState(VK_MENU) < 0) {
    shift |= 4;
  }
  return shift;
}

std::int16_t MouseButtonsHeld(WPARAM wp) {
  std::int16_t held = 0;
  if (wp & MK_LBUTTON) {
    held |= 1;
  }
  if (wp & MK_RBUTTON) {
    held |= 2;
  }
  if (wp & MK_MBUTTON) {
    held |= 4;
  }
  return held;
}

}  // namespace

BFormWindow::BFormWindow(HWND parent, const Rect& place, PicturePtr skin, int id)
    : surface_(Size{place.width, place.height}, kBarDefaultBackColor),
      skin_(skin ? std::move(skin) : LoadBitmapPicture(ORVANE_BITMAP_CAPTION_SKIN)),
      font_(CreateSurfaceFont(FontSpec{std::string(kSongTiFace), kBarFontPoints, true})) {
  EnsureWindowClass(kClassName, BoundWindowProc<BFormWindow>, kCursorArrow, CS_DBLCLKS);
  ::CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, place.x, place.y,
                    place.width, place.height, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr),
                    this);
  logic_ = std::make_unique<BForm>(static_cast<BFormHost&>(*this));
  // Placed and sized on its form: the bar takes its height and paints.
  logic_->OnResize();
}

BFormWindow::~BFormWindow() {
  logic_.reset();
  if (hwnd_) {
    ::DestroyWindow(hwnd_);
  }
}

void BFormWindow::Move(const Rect& place) {
  ::MoveWindow(hwnd_, place.x, place.y, place.width, place.height, TRUE);
}

Size BFormWindow::TargetSize() const {
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  return Size{client.right, client.bottom};
}

void BFormWindow::CopyPicture(const Picture& picture, const Rect& source, Point dest) {
  CopyPictureRect(surface_.Dc(), picture, source, dest);
}

void BFormWindow::SetBarHeight(int pixels) {
  const Size size = TargetSize();
  ::SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, pixels, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void BFormWindow::PrintText(std::string_view text, Point at) {
  DrawLine(surface_.Dc(), font_.get(), kBarTextColour, text, at);
}

void BFormWindow::ShowCursor(SystemCursor cursor) {
  ::SetCursor(::LoadCursorW(nullptr, cursor == SystemCursor::kHand ? kCursorHand : kCursorArrow));
}

void BFormWindow::DragWindow(WindowHandle window) {
  // The system's move loop runs inside this call and returns when the window has been
  // dropped; a handle that names no window returns at once.
  ::ReleaseCapture();
  ::SendMessageA(reinterpret_cast<HWND>(static_cast<UINT_PTR>(window)), WM_NCLBUTTONDOWN, HTCAPTION,
                 0);
}

void BFormWindow::PropertyChanged(std::string_view) {
  // No form designer runs with the program.
}

LRESULT BFormWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (!logic_) {
    if (msg == WM_SIZE) {
      surface_.Resize(Size{LOWORD(lp), HIWORD(lp)});
    }
    return ::DefWindowProcW(hwnd_, msg, wp, lp);
  }
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      HDC dc = ::BeginPaint(hwnd_, &ps);
      surface_.PaintOnto(dc);
      ::EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      surface_.Resize(Size{LOWORD(lp), HIWORD(lp)});
      logic_->OnResize();
      return 0;
    case WM_LBUTTONDOWN:
      logic_->OnMouseDown(1, ShiftState(wp), GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return 0;
    case WM_RBUTTONDOWN:
      logic_->OnMouseDown(2, ShiftState(wp), GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return 0;
    case WM_MBUTTONDOWN:
      logic_->OnMouseDown(4, ShiftState(wp), GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return 0;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      logic_->OnDblClick();
      return 0;
    case WM_MOUSEMOVE:
      logic_->OnMouseMove(MouseButtonsHeld(wp), ShiftState(wp), GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace orvane::win32
