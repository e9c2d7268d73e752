#include "widgets/win32/caption_bar_window.h"

#include <windowsx.h>

#include "base/resource_ids.h"
#include "base/win32/native_input.h"
#include "widgets/win32/surface_text.h"
#include "widgets/win32/ole_picture.h"
#include "base/win32/system_cursors.h"

namespace orvane::win32 {

namespace {

constexpr wchar_t kClassName[] = L"OrvaneCaptionBar";

}  // namespace

BFormWindow::BFormWindow(HWND parent, const Rect& place, PicturePtr skin, int id)
    : surface_(Size{place.width, place.height}, kBarDefaultBackColor),
      skin_(skin ? std::move(skin) : LoadBitmapPicture(ORVANE_BITMAP_CAPTION_SKIN)),
      font_(CreateSurfaceFont(FontSpec{std::string(kSongTiFace), kBarFontPoints, true})) {
  CreateBoundWindow(kClassName, CS_DBLCLKS, kCursorArrow, 0,
                    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, place, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
  logic_ = std::make_unique<BForm>(static_cast<BFormHost&>(*this));
  // Placed and sized on its form: the bar takes its height and paints.
  logic_->OnResize();
}

BFormWindow::~BFormWindow() {
  logic_.reset();
  DestroyBoundWindow();
}

void BFormWindow::Move(const Rect& place) {
  ::MoveWindow(hWnd(), place.x, place.y, place.width, place.height, TRUE);
}

Size BFormWindow::TargetSize() const {
  RECT client{};
  ::GetClientRect(hWnd(), &client);
  return Size{client.right, client.bottom};
}

void BFormWindow::CopyPicture(const Picture& picture, const Rect& source, Point dest) {
  CopyPictureRect(surface_.Dc(), picture, source, dest);
}

void BFormWindow::SetBarHeight(int pixels) {
  const Size size = TargetSize();
  ::SetWindowPos(hWnd(), nullptr, 0, 0, size.cx, pixels,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    return Default(msg, wp, lp);
  }
  if (LRESULT painted = 0; HandlePaint(msg, painted)) {
    return painted;
  }
  switch (msg) {
    case WM_SIZE:
      surface_.Resize(Size{LOWORD(lp), HIWORD(lp)});
      logic_->OnResize();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      logic_->OnMouseDown(ButtonValue(ButtonOfMessage(msg)), ShiftValue(KeysOfFlags(wp)),
                          GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return 0;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      logic_->OnDblClick();
      return 0;
    case WM_MOUSEMOVE:
      logic_->OnMouseMove(ButtonValue(ButtonsOfFlags(wp)), ShiftValue(KeysOfFlags(wp)),
                          GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return 0;
    default:
      break;
  }
  return Default(msg, wp, lp);
}

void BFormWindow::PaintBackBuffer(HDC target, Size) {
  surface_.PaintOnto(target);
}

}  // namespace orvane::win32
