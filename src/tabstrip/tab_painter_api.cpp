#include "tabstrip/tab_painter_api.h"

#include <memory>

namespace orvane {

bool DrawNineGrid(Canvas& canvas, Surface& dest, const Rect& to, const Surface& source,
                  const Rect& from, const NineGridMargins& margins,
                  std::optional<Colour> transparent) {
  const int dw = to.width, dh = to.height;
  const int sx = from.x, sy = from.y, sw = from.width, sh = from.height;
  // A tab squeezed to nothing (or less) by a crowded strip has no picture to draw.
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0)
    return false;

  std::unique_ptr<Surface> scratch = canvas.CreateSurface(dw, dh);
  const int l = margins.left, t = margins.top, r = margins.right, b = margins.bottom;
  constexpr bool kHalftone = true;

  if (l <= 0 && t <= 0 && r <= 0 && b <= 0) {
    scratch->Stretch(Rect{0, 0, dw, dh}, source, Rect{sx + l, sy + t, sw - r, sh - b}, kHalftone);
  } else {
    if (l > 0 && t > 0)
      scratch->Copy(Rect{0, 0, l, t}, source, Point{sx, sy});
    if (r > 0 && t > 0)
      scratch->Copy(Rect{dw - r, 0, r, t}, source, Point{sx + sw - r, sy});
    if (l > 0 && b > 0)
      scratch->Copy(Rect{0, dh - b, l, b}, source, Point{sx, sy + sh - b});
    if (r > 0 && b > 0) {
      scratch->Copy(Rect{dw - r, dh - b, r, b}, source, Point{sx + sw - r, sy + sh - b});
    }
    if (l > 0) {
      scratch->Stretch(Rect{0, t, l, dh - t - b}, source, Rect{sx, sy + t, l, sh - t - b},
                       kHalftone);
    }
    if (r > 0) {
      scratch->Stretch(Rect{dw - r, t, r, dh - t - b}, source,
                       Rect{sx + sw - r, sy + t, r, sh - t - b}, kHalftone);
    }
    if (t > 0) {
      scratch->Stretch(Rect{l, 0, dw - l - r, t}, source, Rect{sx + l, sy, sw - l - r, t},
                       kHalftone);
    }
    if (b > 0) {
      scratch->Stretch(Rect{l, dh - b, dw - l - r, b}, source,
                       Rect{sx + l, sy + sh - b, sw - l - r, b}, kHalftone);
    }
    scratch->Stretch(Rect{l, t, dw - l - r, dh - t - b}, source,
                     Rect{sx + l, sy + t, sw - l - r, sh - t - b}, kHalftone);
  }

  if (transparent)
    return DrawTransparent(dest, to, *scratch, Point{0, 0}, *transparent);
  return dest.Copy(to, *scratch, Point{0, 0});
}

bool DrawTransparent(Surface& dest, const Rect& to, const Surface& source, Point from,
                     Colour transparent) {
  return dest.CopyTransparent(to, source, from, transparent);
}

int DrawTextInRect(Surface& dc, std::string_view text, int x, int y, int width, int height,
                   unsigned format) {
  return dc.DrawText(text, Rect{x, y, width, height}, format);
}

}  // namespace orvane
