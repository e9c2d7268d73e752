#include "widgets/win32/borderless_hook.h"

#include "base/rounding.h"
#include "base/win32/gdi_handles.h"
#include "base/win32/system_cursors.h"

namespace orvane::win32 {

namespace {

// A borderless form keeps only its system menu and minimise box: no caption, no frame.
constexpr LONG kBorderlessStyle = WS_SYSMENU | WS_MINIMIZEBOX;
static_assert(kBorderlessStyle == 0x000A0000, "the style word a borderless form is given");
constexpr WPARAM kCloseCommand = SC_CLOSE;
static_assert(kCloseCommand == 0xF060);

double TwipsPerPixelX() {
  const WindowDc screen(nullptr);
  return 1440.0 / ::GetDeviceCaps(screen.get(), LOGPIXELSX);
}

double TwipsPerPixelY() {
  const WindowDc screen(nullptr);
  return 1440.0 / ::GetDeviceCaps(screen.get(), LOGPIXELSY);
}

LPCWSTR CursorOf(ResizePointer pointer) {
  switch (pointer) {
    case ResizePointer::kSizeNS:
      return kCursorSizeNS;
    case ResizePointer::kSizeNESW:
      return kCursorSizeNESW;
    case ResizePointer::kSizeWE:
      return kCursorSizeWE;
    case ResizePointer::kSizeNWSE:
      return kCursorSizeNWSE;
    case ResizePointer::kArrow:
      break;
  }
  return kCursorArrow;
}

}  // namespace

ScreenMetrics ReadScreenMetrics() {
  ScreenMetrics metrics;
  metrics.twips_per_pixel_x = TwipsPerPixelX();
  metrics.width = ::GetSystemMetrics(SM_CXSCREEN) * metrics.twips_per_pixel_x;
  metrics.height = ::GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixelY();
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  metrics.work_area_bottom = work.bottom;
  return metrics;
}

std::int16_t GetTaskbarHeight() {
  return orvane::GetTaskbarHeight(ReadScreenMetrics());
}

cSetStyleHook::cSetStyleHook() = default;

cSetStyleHook::~cSetStyleHook() {
  if (hwnd_) {
    objSubclass_.DeleteWindowMsg(hwnd_);
  }
}

void cSetStyleHook::SetWindowStyle(HWND hWnd) {
  hwnd_ = hWnd;
  if (form_ == nullptr) {
    form_ = hWnd;
  }
  ::SetWindowLongW(hWnd, GWL_STYLE, kBorderlessStyle);
  // The frame goes at once, not at the window's next size change.
  ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  objSubclass_.AddWindowMsgs(hWnd);
}

void cSetStyleHook::MsgCome(bool bBefore, bool&, LRESULT&, HWND& lng_hWnd, UINT& uMsg,
                            WPARAM& wParam, LPARAM& lParam) {
  if (!bBefore || lng_hWnd != hwnd_) {
    return;
  }
  switch (uMsg) {
    case WM_SETTINGCHANGE:
      logic_.OnSettingChange();
      break;
    case WM_SYSCOMMAND:
      if (wParam == kCloseCommand) {
        logic_.OnCloseCommand();
      }
      break;
    case WM_MOUSEMOVE:
      logic_.OnMouseMove((wParam & MK_LBUTTON) != 0);
      break;
    case WM_SETCURSOR:
      // The form's own pointer shows over the form itself, not over its children.
      if (reinterpret_cast<HWND>(wParam) == hwnd_ && LOWORD(lParam) == HTCLIENT && pointer_) {
        ::SetCursor(pointer_);
      }
      break;
    case WM_LBUTTONDOWN:
      logic_.OnLeftButtonDown();
      if (logic_.Resizing()) {
        // Moves and the release keep coming while the button is held outside the form.
        ::SetCapture(hwnd_);
        captured_ = true;
      }
      break;
    case WM_LBUTTONUP:
      logic_.OnLeftButtonUp();
      if (captured_) {
        captured_ = false;
        ::ReleaseCapture();
      }
      break;
    default:
      break;
  }
}

// ---- cSetStyleHost ----

Point cSetStyleHook::CursorPos() {
  POINT p{};
  ::GetCursorPos(&p);
  return Point{p.x, p.y};
}

EdgeRect cSetStyleHook::WindowRect() {
  RECT r{};
  ::GetWindowRect(hwnd_, &r);
  return EdgeRect{r.left, r.top, r.right, r.bottom};
}

void cSetStyleHook::SetFormPointer(ResizePointer pointer) {
  pointer_ = ::LoadCursorW(nullptr, CursorOf(pointer));
  ::SetCursor(pointer_);
}

void cSetStyleHook::OpenScreenDrawing() {
  if (!screen_dc_) {
    screen_dc_.emplace(nullptr);
  }
}

void cSetStyleHook::DrawOutline(const EdgeRect& rect) {
  const RECT r{rect.left, rect.top, rect.right, rect.bottom};
  if (screen_dc_) {
    ::DrawFocusRect(screen_dc_->get(), &r);
  }
}

void cSetStyleHook::CloseScreenDrawing() {
  screen_dc_.reset();
}

void cSetStyleHook::MoveWindowTo(const EdgeRect& rect) {
  ::MoveWindow(hwnd_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

FormPlace cSetStyleHook::Place() {
  RECT r{};
  ::GetWindowRect(form_, &r);
  const double tx = TwipsPerPixelX();
  const double ty = TwipsPerPixelY();
  return FormPlace{r.left * tx, r.top * ty, (r.right - r.left) * tx, (r.bottom - r.top) * ty};
}

void cSetStyleHook::MoveForm(const FormPlace& place) {
  const double tx = TwipsPerPixelX();
  const double ty = TwipsPerPixelY();
  ::MoveWindow(form_, CLng(place.left / tx), CLng(place.top / ty), CLng(place.width / tx),
               CLng(place.height / ty), TRUE);
}

bool cSetStyleHook::Minimised() {
  return ::IsIconic(form_) != FALSE;
}

}  // namespace orvane::win32
