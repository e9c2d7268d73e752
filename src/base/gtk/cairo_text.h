#pragma once

#include <cairo.h>
#include <pango/pango.h>

#include <optional>
#include <string_view>

#include "base/canvas.h"

namespace orvane::gtk {

// How text is drawn on a cairo context: the font, its colour and the optional opaque
// background behind the glyphs.
struct TextStyle {
  const PangoFontDescription* font;
  Colour colour;
  std::optional<Colour> background;
};

// Extent of `text` laid out as one line, in pixels.
Size MeasureTextLine(cairo_t* cr, const PangoFontDescription* font, std::string_view text);

// Lays `text` out in `box` following the platform-neutral text_format flags the way
// the Windows DrawText does (prefix '&' underlines, single line, centring, end
// ellipsis, word break, clipping) and draws it. Returns the height of the text.
int DrawTextInBox(cairo_t* cr, const TextStyle& style, std::string_view text, const Rect& box,
                  unsigned format);

}  // namespace orvane::gtk
