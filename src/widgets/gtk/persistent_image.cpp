#include "widgets/gtk/persistent_image.h"

#include <algorithm>

namespace orvane::gtk {

void SetSourceColour(cairo_t* cr, Colour colour) {
  cairo_set_source_rgb(cr, RedOf(colour) / 255.0, GreenOf(colour) / 255.0, BlueOf(colour) / 255.0);
}

PersistentImage::PersistentImage(Size size, Colour back_colour)
    : size_{std::max(size.cx, 1), std::max(size.cy, 1)}, back_colour_(back_colour) {
  image_.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size_.cx, size_.cy));
  cr_.reset(cairo_create(image_.get()));
  Clear();
}

void PersistentImage::Resize(Size size) {
  size.cx = std::max(size.cx, 1);
  size.cy = std::max(size.cy, 1);
  if (size == size_) {
    return;
  }
  UniqueCairoSurface image(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size.cx, size.cy));
  UniqueCairo cr(cairo_create(image.get()));
  SetSourceColour(cr.get(), back_colour_);
  cairo_paint(cr.get());
  cairo_set_source_surface(cr.get(), image_.get(), 0, 0);
  cairo_paint(cr.get());
  // The old context goes before the surface it draws on.
  cr_ = std::move(cr);
  image_ = std::move(image);
  size_ = size;
}

void PersistentImage::Clear() {
  CairoSaved saved(cr_.get());
  cairo_set_operator(cr_.get(), CAIRO_OPERATOR_SOURCE);
  SetSourceColour(cr_.get(), back_colour_);
  cairo_paint(cr_.get());
}

void PersistentImage::PaintOnto(cairo_t* cr) const {
  cairo_surface_flush(image_.get());
  CairoSaved saved(cr);
  cairo_set_source_surface(cr, image_.get(), 0, 0);
  cairo_paint(cr);
}

}  // namespace orvane::gtk
