#include "widgets/win32/form_canvas.h"

#include "widgets/win32/ole_picture.h"

namespace orvane::win32 {

namespace {

Size ClientSize(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  return Size{client.right, client.bottom};
}

}  // namespace

FormCanvas::FormCanvas(HWND form, Colour back_colour)
    : form_(form), surface_(ClientSize(form), back_colour) {}

void FormCanvas::PaintForm(HWND form, const FormCanvas* canvas) {
  PAINTSTRUCT ps{};
  if (HDC dc = ::BeginPaint(form, &ps); dc && canvas) {
    canvas->Paint(dc);
  }
  ::EndPaint(form, &ps);
}

void FormCanvas::ClearToBackColor() {
  surface_.Resize(ClientSize(form_));
  surface_.Clear();
}

void FormCanvas::CopyPicture(const Picture& picture, const Rect& source, Point dest) {
  CopyPictureRect(surface_.Dc(), picture, source, dest);
}

}  // namespace orvane::win32
