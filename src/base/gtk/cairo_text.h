#pragma once

#include <cairo.h>
#include <pango/pango.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/canvas.h"
#include "base/gtk/cairo_handles.h"

namespace orvane::gtk {

// How text is drawn on a cairo context: the font, its colour and the optional opaque
// background behind the glyphs.
struct TextStyle {
  const PangoFontDescription* font;
  Colour colour;
  std::optional<Colour> background;
};

// The text of one surface, laid out by Pango. A strip redraws the same captions in the
// same fonts at every hover change, and laying a line out (itemising, shaping) costs far
// more than drawing it: each line is laid out once and kept, keyed by its text, font,
// format and box width, until it has not been used for a while or the screen's resolution
// changes. A changed caption or font is simply another key.
class CairoTextLayouts {
 public:
  CairoTextLayouts();
  ~CairoTextLayouts();
  CairoTextLayouts(const CairoTextLayouts&) = delete;
  CairoTextLayouts& operator=(const CairoTextLayouts&) = delete;

  // Extent of `text` laid out as one line, in pixels.
  Size Measure(cairo_t* cr, const PangoFontDescription* font, std::string_view text);

  // Lays `text` out in `box` following the platform-neutral text_format flags the way
  // the Windows DrawText does (prefix '&' underlines, single line, centring, end
  // ellipsis, word break, clipping) and draws it. Returns the height of the text.
  int Draw(cairo_t* cr, const TextStyle& style, std::string_view text, const Rect& box,
           unsigned format);

  // Lines kept now; at most kCapacity.
  int Kept() const;
  static constexpr int kCapacity = 48;

 private:
  struct Line;
  Line& Find(cairo_t* cr, const PangoFontDescription* font, std::string_view text, unsigned format,
             int width);

  UniqueGObject<PangoContext> context_;
  double resolution_ = 0;
  // Most recently used first.
  std::vector<Line> lines_;
  // The last line too long to keep, alive while it is drawn.
  std::unique_ptr<Line> unkept_;
};

}  // namespace orvane::gtk
