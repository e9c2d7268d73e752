#include "widgets/gtk/mask_region.h"

#include <algorithm>
#include <cstdint>

namespace orvane::gtk {

UniqueRegion RegionOutsideColour(cairo_surface_t* image, Colour mask_colour, int width,
                                 int height) {
  UniqueRegion region(cairo_region_create());
  cairo_surface_flush(image);
  const unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  const int w = std::min(width, cairo_image_surface_get_width(image));
  const int h = std::min(height, cairo_image_surface_get_height(image));
  // Image pixels are 0xAARRGGBB; the mask colour is 0x00BBGGRR.
  const std::uint32_t key = (static_cast<std::uint32_t>(RedOf(mask_colour)) << 16) |
                            (static_cast<std::uint32_t>(GreenOf(mask_colour)) << 8) |
                            static_cast<std::uint32_t>(BlueOf(mask_colour));
  for (int y = 0; y < h; ++y) {
    const auto* row =
        reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    int x = 0;
    while (x < w) {
      while (x < w && (row[x] & 0x00FFFFFFu) == key) {
        ++x;
      }
      const int start = x;
      while (x < w && (row[x] & 0x00FFFFFFu) != key) {
        ++x;
      }
      if (x > start) {
        const cairo_rectangle_int_t run{start, y, x - start, 1};
        cairo_region_union_rectangle(region.get(), &run);
      }
    }
  }
  return region;
}

}  // namespace orvane::gtk
