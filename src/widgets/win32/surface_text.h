#pragma once

#include <windows.h>

#include <string_view>

#include "base/colour.h"
#include "base/geometry.h"
#include "base/win32/gdi_handles.h"
#include "widgets/font_spec.h"

namespace orvane::win32 {

// A font for a surface font: its point size at 96 dots per inch, the
// Chinese character set for the program's Chinese faces.
UniqueFont CreateSurfaceFont(const FontSpec& font);

// Extent of one line of UTF-8 text in `font`.
Size MeasureLine(HDC dc, HFONT font, std::string_view text);
// Draws one line with its top-left corner at `at`, glyphs only.
void DrawLine(HDC dc, HFONT font, Colour colour, std::string_view text, Point at);

}  // namespace orvane::win32
