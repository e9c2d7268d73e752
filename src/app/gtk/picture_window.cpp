#include "app/gtk/picture_window.h"

#include <utility>

#include "app/gtk/png_resource.h"

namespace orvane::gtk {

PictureWindow::PictureWindow() : window_(gtk_window_new(GTK_WINDOW_TOPLEVEL)) {
  g_object_ref_sink(window_);
  GtkWindow* window = GTK_WINDOW(window_);
  gtk_window_set_decorated(window, FALSE);
  gtk_window_set_resizable(window, FALSE);
  gtk_widget_set_app_paintable(window_, TRUE);
  UseRgbaVisual();
  g_signal_connect(window_, "draw", G_CALLBACK(OnDraw), this);
  g_signal_connect(window_, "screen-changed", G_CALLBACK(OnScreenChanged), this);
  screen_ = gtk_widget_get_screen(window_);
  g_signal_connect(screen_, "composited-changed", G_CALLBACK(OnCompositedChanged), this);
}

PictureWindow::~PictureWindow() {
  g_signal_handlers_disconnect_by_data(screen_, this);
  g_signal_handlers_disconnect_by_data(window_, this);
  gtk_widget_destroy(window_);
  g_object_unref(window_);
}

void PictureWindow::UseRgbaVisual() {
  GdkScreen* screen = gtk_widget_get_screen(window_);
  if (GdkVisual* rgba = gdk_screen_get_rgba_visual(screen)) {
    gtk_widget_set_visual(window_, rgba);
  }
}

void PictureWindow::Present(UniqueCairoSurface picture) {
  picture_ = std::move(picture);
  if (picture_) {
    const int width = cairo_image_surface_get_width(picture_.get());
    const int height = cairo_image_surface_get_height(picture_.get());
    gtk_widget_set_size_request(window_, width, height);
    gtk_window_resize(GTK_WINDOW(window_), width, height);
  }
  UpdateShape();
  gtk_widget_queue_draw(window_);
}

void PictureWindow::UpdateShape() {
  if (!picture_) {
    return;
  }
  if (gdk_screen_is_composited(gtk_widget_get_screen(window_))) {
    gtk_widget_shape_combine_region(window_, nullptr);
  } else {
    const UniqueRegion shape = OpaqueRegion(picture_.get());
    gtk_widget_shape_combine_region(window_, shape.get());
  }
}

gboolean PictureWindow::OnDraw(GtkWidget*, cairo_t* cr, gpointer self) {
  auto* window = static_cast<PictureWindow*>(self);
  // The window's own pixels are replaced, alpha included, so its see-through parts stay so.
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  if (window->picture_) {
    cairo_set_source_surface(cr, window->picture_.get(), 0, 0);
  } else {
    cairo_set_source_rgba(cr, 0, 0, 0, 0);
  }
  cairo_paint(cr);
  cairo_restore(cr);
  return FALSE;  // the window's children draw over the picture
}

void PictureWindow::OnScreenChanged(GtkWidget*, GdkScreen*, gpointer self) {
  auto* window = static_cast<PictureWindow*>(self);
  g_signal_handlers_disconnect_by_data(window->screen_, window);
  window->screen_ = gtk_widget_get_screen(window->window_);
  g_signal_connect(window->screen_, "composited-changed", G_CALLBACK(OnCompositedChanged), window);
  window->UseRgbaVisual();
  window->UpdateShape();
}

void PictureWindow::OnCompositedChanged(GdkScreen*, gpointer self) {
  static_cast<PictureWindow*>(self)->UpdateShape();
}

}  // namespace orvane::gtk
