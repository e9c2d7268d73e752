#include "app/gtk/png_resource.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

namespace orvane::gtk {
namespace {

struct ByteReader {
  std::span<const std::uint8_t> rest;
};

cairo_status_t ReadBytes(void* closure, unsigned char* data, unsigned int length) {
  auto& reader = *static_cast<ByteReader*>(closure);
  if (reader.rest.size() < length) {
    return CAIRO_STATUS_READ_ERROR;
  }
  std::memcpy(data, reader.rest.data(), length);
  reader.rest = reader.rest.subspan(length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

UniqueCairoSurface LoadPngResource(int id, ResourceType type) {
  const std::optional<std::vector<std::uint8_t>> bytes = LoadResourceBytes(type, id);
  if (!bytes) {
    return nullptr;
  }
  // cairo reads the whole picture before it returns: the bytes need not outlive the call.
  ByteReader reader{*bytes};
  UniqueCairoSurface image(cairo_image_surface_create_from_png_stream(ReadBytes, &reader));
  if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) {
    return nullptr;
  }
  return image;
}

UniqueRegion OpaqueRegion(cairo_surface_t* image) {
  UniqueRegion region(cairo_region_create());
  if (image == nullptr || cairo_image_surface_get_format(image) != CAIRO_FORMAT_ARGB32) {
    return region;
  }
  cairo_surface_flush(image);
  const unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  const int w = cairo_image_surface_get_width(image);
  const int h = cairo_image_surface_get_height(image);
  for (int y = 0; y < h; ++y) {
    const auto* row =
        reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    int x = 0;
    while (x < w) {
      while (x < w && (row[x] >> 24) == 0) {
        ++x;
      }
      const int start = x;
      while (x < w && (row[x] >> 24) != 0) {
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
