#include "widgets/win32/button_window.h"

#include <windowsx.h>

#include <optional>

#include "base/units.h"
#include "base/win32/native_input.h"
#include "widgets/win32/surface_text.h"
#include "widgets/win32/mask_region.h"
#include "widgets/win32/ole_picture.h"
#include "base/win32/system_cursors.h"

namespace orvane::win32 {

namespace {

constexpr wchar_t kClassName[] = L"OrvaneSkinButton";
constexpr UINT_PTR kPollTimer = 1;
// A new surface draws with the copy pen, which is the button's initial drawing mode.
static_assert(R2_COPYPEN == kButtonInitialDrawMode);
// A palette display cuts its cells with the whole system palette.
constexpr int kPaletteSize = 256;
constexpr WORD kLogicalPaletteVersion = 0x300;

std::int16_t ShiftState() {
  return ShiftValue(KeysNow());
}

// The cells of a strip, cut from it while it is selected into a memory surface.
class GdiStripSource final : public StripSource {
 public:
  GdiStripSource(HDC compatible, HBITMAP strip)
      : compatible_(compatible),
        dc_(::CreateCompatibleDC(compatible)),
        selected_(dc_.get(), strip) {}

  PicturePtr CutCell(int x, int y, int w, int h) override {
    if (w <= 0 || h <= 0) {
      return MakePicture(UniqueBitmap());
    }
    UniqueBitmap cell(::CreateCompatibleBitmap(compatible_, w, h));
    UniquePalette palette;
    {
      UniqueDc cell_dc(::CreateCompatibleDC(compatible_));
      SelectedObject into(cell_dc.get(), cell.get());
      std::optional<SelectedPalette> with_palette;
      WindowDc screen(nullptr);
      if ((::GetDeviceCaps(screen.get(), RASTERCAPS) & RC_PALETTE) &&
          ::GetDeviceCaps(screen.get(), SIZEPALETTE) == kPaletteSize) {
        // On a 256-colour display the cell keeps the system palette of the moment.
        struct {
          WORD version;
          WORD entries;
          PALETTEENTRY colours[kPaletteSize];
        } logical{kLogicalPaletteVersion, kPaletteSize, {}};
        ::GetSystemPaletteEntries(screen.get(), 0, kPaletteSize, logical.colours);
        palette.reset(::CreatePalette(reinterpret_cast<const LOGPALETTE*>(&logical)));
        with_palette.emplace(cell_dc.get(), palette.get());
        ::RealizePalette(cell_dc.get());
      }
      // Whatever lies beyond the strip comes out black.
      ::PatBlt(cell_dc.get(), 0, 0, w, h, BLACKNESS);
      ::BitBlt(cell_dc.get(), 0, 0, w, h, dc_.get(), x, y, SRCCOPY);
    }
    return MakePicture(std::move(cell), std::move(palette));
  }

 private:
  HDC compatible_;
  UniqueDc dc_;
  SelectedObject selected_;
};

}  // namespace

iButtonWindow::iButtonWindow(HWND parent, const Rect& place, int id)
    : surface_(Size{place.width, place.height}, kButtonInitialBackColour),
      font_(CreateSurfaceFont(font_spec_)) {
  CreateBoundWindow(kClassName, CS_DBLCLKS, kCursorArrow, 0,
                    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, place, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
  logic_ = std::make_unique<iButton>(static_cast<iButtonHost&>(*this));
}

iButtonWindow::~iButtonWindow() {
  logic_.reset();
  DestroyBoundWindow();
}

void iButtonWindow::Move(const Rect& place) {
  ::MoveWindow(hWnd(), place.x, place.y, place.width, place.height, TRUE);
}

// ---- iButtonHost ----

Size iButtonWindow::ControlSize() const {
  RECT client{};
  ::GetClientRect(hWnd(), &client);
  return Size{client.right, client.bottom};
}

void iButtonWindow::SetControlSize(Size size) {
  ::SetWindowPos(hWnd(), nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void iButtonWindow::DrawPicture(const Picture& picture, const Rect& dest) {
  DrawPictureStretched(surface_.Dc(), picture, dest);
}

void iButtonWindow::DrawPictureNatural(const Picture& picture, Point at) {
  win32::DrawPictureNatural(surface_.Dc(), picture, at);
}

Size iButtonWindow::MeasureText(std::string_view text) {
  return MeasureLine(surface_.Dc(), font_.get(), text);
}

void iButtonWindow::DrawText(std::string_view text, Point at) {
  DrawLine(surface_.Dc(), font_.get(), fore_colour_, text, at);
}

void iButtonWindow::DrawFocusRect(const Rect& rect) {
  const RECT mark{rect.Left(), rect.Top(), rect.Right(), rect.Bottom()};
  ::DrawFocusRect(surface_.Dc(), &mark);
}

void iButtonWindow::Present() {
  if (region_dirty_) {
    ApplyRegion();
  }
  ::InvalidateRect(hWnd(), nullptr, FALSE);
}

bool iButtonWindow::Enabled() const {
  return ::IsWindowEnabled(hWnd()) != FALSE;
}

void iButtonWindow::SetEnabled(bool enabled) {
  ::EnableWindow(hWnd(), enabled ? TRUE : FALSE);
}

void iButtonWindow::SetBackStyle(std::int16_t style) {
  if (style != back_style_) {
    back_style_ = style;
    region_dirty_ = true;
  }
}

void iButtonWindow::SetFont(const FontSpec& font) {
  font_spec_ = font;
  font_ = CreateSurfaceFont(font_spec_);
}

std::int16_t iButtonWindow::DrawMode() const {
  return static_cast<std::int16_t>(::GetROP2(surface_.Dc()));
}

void iButtonWindow::SetDrawMode(std::int16_t mode) {
  ::SetROP2(surface_.Dc(), mode);
}

void iButtonWindow::SetMaskPicture(PicturePtr mask) {
  mask_ = std::move(mask);
  region_dirty_ = true;
}

PicturePtr iButtonWindow::SnapshotImage() {
  const Size size = surface_.SurfaceSize();
  WindowDc screen(nullptr);
  UniqueBitmap copy(::CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
  {
    UniqueDc dc(::CreateCompatibleDC(screen.get()));
    SelectedObject into(dc.get(), copy.get());
    surface_.PaintOnto(dc.get());
  }
  return MakePicture(std::move(copy));
}

double iButtonWindow::DisplayTwipsPerPixelX() const {
  WindowDc screen(nullptr);
  return 1440.0 / ::GetDeviceCaps(screen.get(), LOGPIXELSX);
}

double iButtonWindow::DisplayTwipsPerPixelY() const {
  WindowDc screen(nullptr);
  return 1440.0 / ::GetDeviceCaps(screen.get(), LOGPIXELSY);
}

bool iButtonWindow::IsPointerOver() {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  return ::WindowFromPoint(cursor) == hWnd();
}

void iButtonWindow::ShowCursor(SystemCursor cursor) {
  ::SetCursor(::LoadCursorW(nullptr, cursor == SystemCursor::kHand ? kCursorHand : kCursorArrow));
}

void iButtonWindow::StartTimer(int interval_ms) {
  ::SetTimer(hWnd(), kPollTimer, static_cast<UINT>(interval_ms), nullptr);
  timer_running_ = true;
}

void iButtonWindow::StopTimer() {
  if (timer_running_ && hWnd()) {
    ::KillTimer(hWnd(), kPollTimer);
  }
  timer_running_ = false;
}

std::unique_ptr<StripSource> iButtonWindow::OpenStrip(const Picture& strip) {
  const OlePicture* own = AsOlePicture(strip);
  return std::make_unique<GdiStripSource>(surface_.Dc(), own ? own->Bitmap() : nullptr);
}

void iButtonWindow::PropertyChanged(std::string_view) {
  // No form designer runs with the program; a form saves its controls when it chooses.
}

// ---- messages ----

void iButtonWindow::ApplyRegion() {
  region_dirty_ = false;
  UniqueRegion region;
  if (back_style_ == 0 && mask_) {
    const Size size = surface_.SurfaceSize();
    region = RegionOutsideColour(*mask_, kButtonMaskColour, size.cx, size.cy);
  }
  // Once set, the window owns the region; a refused one stays ours to free.
  if (::SetWindowRgn(hWnd(), region.get(), TRUE)) {
    region.release();
  }
}

void iButtonWindow::PaintBackBuffer(HDC target, Size) {
  surface_.PaintOnto(target);
}

void iButtonWindow::Press(std::int16_t button, WPARAM, LPARAM lp) {
  // A press takes the focus, and the mouse until every button is up again.
  if (::GetFocus() != hWnd()) {
    ::SetFocus(hWnd());
  }
  ::SetCapture(hWnd());
  logic_->OnMouseDown(button, ShiftState(), GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
}

void iButtonWindow::Release(std::int16_t button, WPARAM wp, LPARAM lp) {
  if ((wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0 && ::GetCapture() == hWnd()) {
    ::ReleaseCapture();
  }
  const POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  RECT client{};
  ::GetClientRect(hWnd(), &client);
  const bool click = !in_double_ && ::PtInRect(&client, at);
  in_double_ = false;
  logic_->OnMouseUp(button, ShiftState(), at.x, at.y);
  if (click) {
    logic_->OnClick();
  }
}

void iButtonWindow::DoubleClick() {
  ::SetCapture(hWnd());
  in_double_ = true;
  logic_->OnDblClick();
}

LRESULT iButtonWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (!logic_) {
    // While the window is being made, and after the logic has gone.
    return Default(msg, wp, lp);
  }
  // The first time the button is drawn on a shown form it cuts its cells.
  if (msg == WM_PAINT && ::IsWindowVisible(hWnd())) {
    logic_->OnShow();
  }
  if (LRESULT painted = 0; HandlePaint(msg, painted)) {
    return painted;
  }
  switch (msg) {
    case WM_SHOWWINDOW:
      if (wp) {
        logic_->OnShow();
      }
      break;
    case WM_SIZE:
      surface_.Resize(Size{LOWORD(lp), HIWORD(lp)});
      region_dirty_ = true;
      logic_->OnResize();
      return 0;
    case WM_TIMER:
      if (wp == kPollTimer) {
        logic_->OnTimer();
        return 0;
      }
      break;
    case WM_MOUSEMOVE:
      logic_->OnMouseMove(ButtonValue(ButtonsOfFlags(wp)), ShiftState(), GET_X_LPARAM(lp),
                          GET_Y_LPARAM(lp));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      Press(ButtonValue(ButtonOfMessage(msg)), wp, lp);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      Release(ButtonValue(ButtonOfMessage(msg)), wp, lp);
      return 0;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      DoubleClick();
      return 0;
    case WM_KEYDOWN:
      logic_->OnKeyDown(static_cast<std::int16_t>(wp), ShiftState());
      return 0;
    case WM_KEYUP:
      logic_->OnKeyUp(static_cast<std::int16_t>(wp), ShiftState());
      return 0;
    case WM_CHAR:
      logic_->OnKeyPress(static_cast<std::int16_t>(wp));
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
      logic_->OnGotFocus();
      return 0;
    case WM_KILLFOCUS:
      logic_->OnLostFocus();
      return 0;
    default:
      break;
  }
  return Default(msg, wp, lp);
}

}  // namespace orvane::win32
