#include "widgets/gtk/mask_region.h"

#include <algorithm>
#include <cstdint>
#include <span>

#include "widgets/mask_runs.h"

namespace orvane::gtk {

UniqueRegion RegionOutsideColour(cairo_surface_t* image, Colour mask_colour, int width,
                                 int height) {
  UniqueRegion region(cairo_region_create());
  cairo_surface_flush(image);
  const unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  const int w = std::min(width, cairo_image_surface_get_width(image));
  const int h = std::min(height, cairo_image_surface_get_height(image));
  if (w <= 0 || h <= 0 || stride <= 0) {
    return region;
  }
  // Rows of an ARGB32 image are whole pixels apart.
  const int stride_pixels = stride / 4;
  const std::span<const std::uint32_t> pixels(
      reinterpret_cast<const std::uint32_t*>(data),
      static_cast<std::size_t>(stride_pixels) * static_cast<std::size_t>(h));
  for (const Rect& run : RunsOutsideColour(pixels, stride_pixels, w, h, mask_colour)) {
    const cairo_rectangle_int_t rect{run.x, run.y, run.width, run.height};
    cairo_region_union_rectangle(region.get(), &rect);
  }
  return region;
}

}  // namespace orvane::gtk
