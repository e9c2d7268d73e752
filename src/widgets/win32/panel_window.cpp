#include "widgets/win32/panel_window.h"

#include "base/win32/system_cursors.h"
#include "widgets/win32/ole_picture.h"

namespace orvane::win32 {
namespace {

constexpr wchar_t kPanelClass[] = L"OrvanePictureBox";

}  // namespace

void EraseWithBrush(HWND window, HDC dc, HBRUSH brush) {
  RECT client{};
  ::GetClientRect(window, &client);
  ::FillRect(dc, &client, brush);
}

void PaintPictureAtOrigin(HWND window, const Picture* picture) {
  PAINTSTRUCT ps{};
  HDC dc = ::BeginPaint(window, &ps);
  if (dc && picture) {
    DrawPictureNatural(dc, *picture, Point{0, 0});
  }
  ::EndPaint(window, &ps);
}

PanelWindow::PanelWindow(HWND parent, const Rect& place, Colour back_colour, bool visible)
    : brush_(::CreateSolidBrush(back_colour)) {
  // No class cursor: the pointer is the owner's decision (the main window resets it).
  CreateBoundWindow(kPanelClass, 0, nullptr, 0,
                    WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0),
                    place, parent, nullptr);
}

PanelWindow::~PanelWindow() {
  DestroyBoundWindow();
}

void PanelWindow::SetPicture(PicturePtr picture) {
  picture_ = std::move(picture);
  if (hWnd()) {
    ::InvalidateRect(hWnd(), nullptr, TRUE);
  }
}

void PanelWindow::Move(const Rect& place) {
  if (hWnd()) {
    ::MoveWindow(hWnd(), place.x, place.y, place.width, place.height, TRUE);
  }
}

LRESULT PanelWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      EraseWithBrush(hWnd(), reinterpret_cast<HDC>(wp), brush_.get());
      return 1;
    case WM_PAINT:
      PaintPictureAtOrigin(hWnd(), picture_.get());
      return 0;
    case WM_SETCURSOR:
      // Without a class cursor the pointer would keep whatever shape it had.
      if (LOWORD(lp) == HTCLIENT && !on_mouse_) {
        ::SetCursor(::LoadCursorW(nullptr, kCursorArrow));
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
      if (on_mouse_) {
        on_mouse_(msg, wp, lp);
        return 0;
      }
      break;
    case WM_SIZE:
      if (on_size_) {
        on_size_(Size{LOWORD(lp), HIWORD(lp)});
      }
      return 0;
    default:
      break;
  }
  return Default(msg, wp, lp);
}

}  // namespace orvane::win32
