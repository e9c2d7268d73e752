#pragma once

#include <cairo.h>

#include "base/geometry.h"

namespace orvane::gtk {

// The system focus rectangle on an image: every other pixel of the rectangle's border
// inverted, so drawing the same rectangle twice restores the image. Right and bottom
// are exclusive.
void InvertFocusRect(cairo_surface_t* image, const Rect& rect);

}  // namespace orvane::gtk
