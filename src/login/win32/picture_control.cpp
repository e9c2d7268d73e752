#include "login/win32/picture_control.h"

#include <windowsx.h>

#include <utility>

#include "base/win32/system_cursors.h"
#include "widgets/win32/ole_picture.h"
#include "widgets/win32/panel_window.h"

namespace orvane::win32 {
namespace {

constexpr wchar_t kPictureControlClass[] = L"OrvaneLoginPicture";

}  // namespace

PictureControl::PictureControl(HWND parent, const Rect& place, PicturePtr picture,
                               COLORREF back_colour, std::function<void()> click)
    : picture_(std::move(picture)),
      brush_(::CreateSolidBrush(back_colour)),
      click_(std::move(click)) {
  CreateBoundWindow(kPictureControlClass, 0, kCursorArrow, 0, WS_CHILD | WS_VISIBLE, place, parent,
                    nullptr);
}

PictureControl::~PictureControl() {
  DestroyBoundWindow();
}

LRESULT PictureControl::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      EraseWithBrush(hWnd(), reinterpret_cast<HDC>(wp), brush_.get());
      return 1;
    case WM_PAINT:
      PaintPictureAtOrigin(hWnd(), picture_.get());
      return 0;
    case WM_LBUTTONDOWN:
      pressed_ = true;
      ::SetCapture(hWnd());
      return 0;
    case WM_LBUTTONUP: {
      const bool was_pressed = std::exchange(pressed_, false);
      ::ReleaseCapture();
      RECT client{};
      ::GetClientRect(hWnd(), &client);
      const POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      if (was_pressed && ::PtInRect(&client, at) && click_) {
        click_();  // may take the whole login screen down: nothing of this runs after it
      }
      return 0;
    }
    case WM_CAPTURECHANGED:
      pressed_ = false;
      return 0;
    default:
      return Default(msg, wp, lp);
  }
}

}  // namespace orvane::win32
