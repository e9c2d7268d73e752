#include "widgets/gtk/focus_mark.h"

#include <cstdint>

namespace orvane::gtk {

namespace {

void InvertDot(unsigned char* data, int stride, int width, int height, int x, int y) {
  if (x < 0 || y < 0 || x >= width || y >= height || ((x + y) & 1) != 0) {
    return;
  }
  auto* pixel =
      reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride) + x;
  *pixel ^= 0x00FFFFFFu;
}

}  // namespace

void InvertFocusRect(cairo_surface_t* image, const Rect& rect) {
  if (rect.Empty()) {
    return;
  }
  cairo_surface_flush(image);
  unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  const int width = cairo_image_surface_get_width(image);
  const int height = cairo_image_surface_get_height(image);
  const int right = rect.Right() - 1;
  const int bottom = rect.Bottom() - 1;
  for (int x = rect.x; x <= right; ++x) {
    InvertDot(data, stride, width, height, x, rect.y);
    if (bottom != rect.y) {
      InvertDot(data, stride, width, height, x, bottom);
    }
  }
  for (int y = rect.y + 1; y < bottom; ++y) {
    InvertDot(data, stride, width, height, rect.x, y);
    if (right != rect.x) {
      InvertDot(data, stride, width, height, right, y);
    }
  }
  cairo_surface_mark_dirty(image);
}

}  // namespace orvane::gtk
