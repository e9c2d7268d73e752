#include "base/win32/gdi_surface.h"

#include "base/win32/text_encoding.h"

namespace orvane::win32 {
namespace {

HDC SourceDc(const Surface& source) {
  const auto* gdi = dynamic_cast<const GdiSurface*>(&source);
  return gdi ? gdi->Dc() : nullptr;
}

}  // namespace

GdiSurface::GdiSurface(HDC dc, int width, int height) : dc_(dc), width_(width), height_(height) {}

GdiSurface::GdiSurface(MemDc owned, int width, int height)
    : owned_(std::move(owned)), dc_(owned_.get()), width_(width), height_(height) {}

GdiSurface::~GdiSurface() {
  if (original_font_)
    ::SelectObject(dc_, original_font_);
}

bool GdiSurface::Copy(const Rect& dest, const Surface& source, Point from) {
  HDC src = SourceDc(source);
  if (!src || dest.Empty())
    return false;
  return ::BitBlt(dc_, dest.x, dest.y, dest.width, dest.height, src, from.x, from.y, SRCCOPY) !=
         FALSE;
}

bool GdiSurface::Stretch(const Rect& dest, const Surface& source, const Rect& from, bool halftone) {
  HDC src = SourceDc(source);
  // A negative extent would mirror the picture; no caller means that.
  if (!src || dest.Empty() || from.Empty())
    return false;
  if (halftone) {
    ::SetStretchBltMode(dc_, HALFTONE);
    // Halftone needs the brush origin reset after the mode is set.
    ::SetBrushOrgEx(dc_, 0, 0, nullptr);
  } else {
    ::SetStretchBltMode(dc_, BLACKONWHITE);
  }
  return ::StretchBlt(dc_, dest.x, dest.y, dest.width, dest.height, src, from.x, from.y, from.width,
                      from.height, SRCCOPY) != FALSE;
}

bool GdiSurface::CopyTransparent(const Rect& dest, const Surface& source, Point from, Colour key) {
  HDC src = SourceDc(source);
  if (!src || dest.Empty())
    return false;
  return ::TransparentBlt(dc_, dest.x, dest.y, dest.width, dest.height, src, from.x, from.y,
                          dest.width, dest.height, key) != FALSE;
}

bool GdiSurface::FillRect(const Rect& area, Colour colour) {
  UniqueBrush brush(::CreateSolidBrush(colour));
  if (!brush)
    return false;
  const RECT r{area.x, area.y, area.Right(), area.Bottom()};
  return ::FillRect(dc_, &r, brush.get()) != 0;
}

void GdiSurface::SetFont(const Font& font) {
  const auto* gdi = dynamic_cast<const GdiFont*>(&font);
  if (!gdi)
    return;
  HGDIOBJ previous = ::SelectObject(dc_, gdi->Handle());
  if (!original_font_ && previous && previous != HGDI_ERROR)
    original_font_ = previous;
}

void GdiSurface::SetTextColour(Colour colour) {
  ::SetTextColor(dc_, colour);
}

void GdiSurface::SetTextBackground(std::optional<Colour> opaque) {
  if (opaque) {
    ::SetBkColor(dc_, *opaque);
    ::SetBkMode(dc_, OPAQUE);
  } else {
    ::SetBkMode(dc_, TRANSPARENT);
  }
}

Size GdiSurface::MeasureText(std::string_view text) {
  // Captions are measured as the program always has: in the ANSI code page, over its
  // bytes.
  const std::string ansi = Utf8ToAnsi(text);
  SIZE size{};
  ::GetTextExtentPoint32A(dc_, ansi.c_str(), static_cast<int>(ansi.size()), &size);
  return Size{size.cx, size.cy};
}

int GdiSurface::DrawText(std::string_view text, const Rect& box, unsigned format) {
  std::wstring wide = Utf8ToWide(text);
  RECT r{box.x, box.y, box.Right(), box.Bottom()};
  return ::DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &r, format);
}

Colour GdiSurface::GetPixel(Point p) const {
  if (p.x < 0 || p.y < 0 || p.x >= width_ || p.y >= height_)
    return kInvalidColour;
  const COLORREF c = ::GetPixel(dc_, p.x, p.y);
  return c == CLR_INVALID ? kInvalidColour : static_cast<Colour>(c);
}

bool CopyToWindow(HWND window, const Surface& picture) {
  WindowDc dc(window);
  if (!dc)
    return false;
  GdiSurface target(dc.get(), picture.Width(), picture.Height());
  return target.Copy(Rect{0, 0, picture.Width(), picture.Height()}, picture, Point{0, 0});
}

}  // namespace orvane::win32
