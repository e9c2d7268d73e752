#include "widgets/gtk/resize_outline.h"

#include <algorithm>

#include "base/gtk/cairo_handles.h"
#include "widgets/gtk/mask_region.h"

namespace orvane::gtk {

ResizeOutline::~ResizeOutline() {
  popup_.reset();
}

void ResizeOutline::Draw(const EdgeRect& rect) {
  if (shown_ && *shown_ == rect) {
    Hide();
  } else {
    Show(rect);
  }
}

void ResizeOutline::Show(const EdgeRect& rect) {
  const int width = std::max(rect.right - rect.left, 1);
  const int height = std::max(rect.bottom - rect.top, 1);
  if (!popup_) {
    popup_ =
        PopupOwner(gtk_window_new(GTK_WINDOW_POPUP), this, PopupOwner::Release::kDestroyWidget);
    gtk_widget_set_app_paintable(popup_.get(), TRUE);
    g_signal_connect(popup_.get(), "draw", G_CALLBACK(OnDraw), this);
  }
  // Only the frame is shown, and no part of the window takes input.
  UniqueRegion frame(cairo_region_create());
  const cairo_rectangle_int_t outer{0, 0, width, height};
  cairo_region_union_rectangle(frame.get(), &outer);
  if (width > 2 && height > 2) {
    const cairo_rectangle_int_t inner{1, 1, width - 2, height - 2};
    cairo_region_subtract_rectangle(frame.get(), &inner);
  }
  UniqueRegion nothing(cairo_region_create());
  gtk_widget_set_size_request(popup_.get(), width, height);
  gtk_window_resize(GTK_WINDOW(popup_.get()), width, height);
  gtk_window_move(GTK_WINDOW(popup_.get()), rect.left, rect.top);
  gtk_widget_shape_combine_region(popup_.get(), frame.get());
  gtk_widget_input_shape_combine_region(popup_.get(), nothing.get());
  gtk_widget_show(popup_.get());
  gtk_widget_queue_draw(popup_.get());
  shown_ = rect;
}

void ResizeOutline::Hide() {
  if (popup_) {
    gtk_widget_hide(popup_.get());
  }
  shown_.reset();
}

gboolean ResizeOutline::OnDraw(GtkWidget*, cairo_t* cr, gpointer) {
  // Alternate dark and light pixels, so the outline shows on any background.
  UniqueCairoSurface dots(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 2, 2));
  {
    UniqueCairo dc(cairo_create(dots.get()));
    cairo_set_source_rgb(dc.get(), 1, 1, 1);
    cairo_paint(dc.get());
    cairo_set_source_rgb(dc.get(), 0, 0, 0);
    cairo_rectangle(dc.get(), 0, 0, 1, 1);
    cairo_rectangle(dc.get(), 1, 1, 1, 1);
    cairo_fill(dc.get());
  }
  UniqueCairoPattern pattern(cairo_pattern_create_for_surface(dots.get()));
  cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_REPEAT);
  cairo_pattern_set_filter(pattern.get(), CAIRO_FILTER_NEAREST);
  cairo_set_source(cr, pattern.get());
  cairo_paint(cr);
  return TRUE;
}

}  // namespace orvane::gtk
