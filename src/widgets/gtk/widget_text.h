#pragma once

#include <cairo.h>

#include <string>
#include <string_view>

#include "base/colour.h"
#include "base/geometry.h"
#include "base/gtk/cairo_handles.h"
#include "widgets/font_spec.h"

namespace orvane::gtk {

// The face that stands in here for a face the program names: the Chinese faces of the
// program's texts are set in a CJK face of the same size; any other name is kept.
std::string LinuxFaceFor(std::string_view face);

// The Pango font for a surface font, its size fixed in pixels at 96 dots per inch so
// that a point size draws as large as on a 96-dpi Windows display.
UniqueFontDescription FontDescriptionFor(const FontSpec& font);

// Extent of one line of UTF-8 text.
Size MeasureLine(cairo_t* cr, const FontSpec& font, std::string_view text);
// Draws one line with its top-left corner at `at`, glyphs only (no background).
void DrawLine(cairo_t* cr, const FontSpec& font, Colour colour, std::string_view text, Point at);

}  // namespace orvane::gtk
