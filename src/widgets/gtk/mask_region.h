#pragma once

#include <cairo.h>

#include <memory>

#include "base/colour.h"
#include "base/gtk/cairo_handles.h"

namespace orvane::gtk {

struct RegionRelease {
  void operator()(cairo_region_t* region) const { cairo_region_destroy(region); }
};
using UniqueRegion = std::unique_ptr<cairo_region_t, RegionRelease>;

// The pixels of `image` that are not `mask_colour`, as a region, clipped to
// width x height.
UniqueRegion RegionOutsideColour(cairo_surface_t* image, Colour mask_colour, int width, int height);

}  // namespace orvane::gtk
