#pragma once

#include <cairo.h>

#include "base/gtk/cairo_handles.h"
#include "base/resources.h"
#include "widgets/gtk/mask_region.h"

namespace orvane::gtk {

// `LoadPngResource`: the PNG resource decoded into an ARGB image surface (premultiplied
// alpha, as cairo keeps it); nothing when the program does not carry it or it does not
// decode.
UniqueCairoSurface LoadPngResource(int id, ResourceType type);

// The pixels of an ARGB image that are not fully transparent, as a region: the shape a
// window takes where no compositing manager blends its transparency.
UniqueRegion OpaqueRegion(cairo_surface_t* image);

}  // namespace orvane::gtk
