#pragma once

#include <cairo.h>

#include "base/colour.h"
#include "base/geometry.h"
#include "base/gtk/cairo_handles.h"

namespace orvane::gtk {

// What has been drawn on a control or form: an ARGB32 image the size of the window,
// shown whenever the window draws, kept across repaints.
class PersistentImage {
 public:
  PersistentImage(Size size, Colour back_colour);

  Size ImageSize() const { return size_; }
  // Grows or shrinks the image; what was drawn stays at the top left, new parts get
  // the back colour.
  void Resize(Size size);
  void SetBackColour(Colour colour) { back_colour_ = colour; }
  Colour BackColour() const { return back_colour_; }
  void Clear();

  cairo_surface_t* Surface() const { return image_.get(); }
  cairo_t* Context() const { return cr_.get(); }
  // Paints the image at the origin of `cr`.
  void PaintOnto(cairo_t* cr) const;

 private:
  Size size_;
  Colour back_colour_;
  UniqueCairoSurface image_;
  UniqueCairo cr_;
};

void SetSourceColour(cairo_t* cr, Colour colour);

}  // namespace orvane::gtk
