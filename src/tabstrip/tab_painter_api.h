#pragma once

#include <optional>
#include <string_view>

#include "base/canvas.h"

namespace orvane {

// The drawing routines the tab strip paints with (the portable part of mdlTabAPI).

struct NineGridMargins {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Draws the `from` part of `source` onto `to` in `dest` as a nine-part picture: the
// corners keep their size, the sides stretch along one direction, the centre along
// both, all composed with halftone stretching on a scratch surface of the destination
// size, which is then copied (transparently when `transparent` is given). Returns the
// result of that final transfer; false when nothing was drawn (a zero or negative
// size). Throws DrawingError when the scratch surface cannot be created.
bool DrawNineGrid(Canvas& canvas, Surface& dest, const Rect& to, const Surface& source,
                  const Rect& from, const NineGridMargins& margins,
                  std::optional<Colour> transparent = std::nullopt);

// One transfer of to.width x to.height from `from` in `source`, leaving out the pixels
// of colour `transparent`.
bool DrawTransparent(Surface& dest, const Rect& to, const Surface& source, Point from,
                     Colour transparent);

// Draws `text` in the rectangle x, y, width, height with text_format flags.
int DrawTextInRect(Surface& dc, std::string_view text, int x, int y, int width, int height,
                   unsigned format);

}  // namespace orvane
