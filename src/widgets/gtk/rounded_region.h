#pragma once

#include <gtk/gtk.h>

#include "widgets/gtk/mask_region.h"

namespace orvane::gtk {

// A rounded rectangle (0, 0)-(width, height) exclusive whose corners follow an ellipse of
// `ellipse` x `ellipse` pixels, cut row by row.
UniqueRegion RoundedRectRegion(int width, int height, int ellipse);

// Gives a top-level window that region as its shape (RectRgn): the cut corners neither
// show nor take the pointer, on any X server, composited or not.
void SetWindowRoundedShape(GtkWidget* window, int width, int height, int ellipse);

}  // namespace orvane::gtk
