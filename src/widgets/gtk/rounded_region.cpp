#include "widgets/gtk/rounded_region.h"

#include <algorithm>
#include <cmath>

namespace orvane::gtk {

UniqueRegion RoundedRectRegion(int width, int height, int ellipse) {
  UniqueRegion region(cairo_region_create());
  if (width <= 0 || height <= 0) {
    return region;
  }
  const double r = std::max(0, ellipse) / 2.0;
  for (int y = 0; y < height; ++y) {
    int inset = 0;
    // The distance of the row's centre from the nearer of the top and bottom edges.
    const double from_edge = std::min(y, height - 1 - y) + 0.5;
    if (from_edge < r) {
      const double dy = r - from_edge;
      inset = static_cast<int>(std::lround(r - std::sqrt(std::max(0.0, r * r - dy * dy))));
    }
    const cairo_rectangle_int_t row{inset, y, width - 2 * inset, 1};
    if (row.width > 0) {
      cairo_region_union_rectangle(region.get(), &row);
    }
  }
  return region;
}

void SetWindowRoundedShape(GtkWidget* window, int width, int height, int ellipse) {
  const UniqueRegion region = RoundedRectRegion(width, height, ellipse);
  gtk_widget_shape_combine_region(window, region.get());
  gtk_widget_queue_draw(window);
}

}  // namespace orvane::gtk
