#pragma once

#include <gtk/gtk.h>

#include "base/gtk/cairo_handles.h"

namespace orvane::gtk {

// An undecorated, fixed-size toplevel whose own surface is a picture with per-pixel alpha:
// painted with cairo on an RGBA visual where the screen has one. Where no compositing
// manager blends the transparency, the window is shaped by the picture's alpha instead, so
// no dark corners show. Child widgets draw over the picture. The splash and the login
// screen are such windows.
class PictureWindow final {
 public:
  PictureWindow();
  ~PictureWindow();
  PictureWindow(const PictureWindow&) = delete;
  PictureWindow& operator=(const PictureWindow&) = delete;

  GtkWidget* Widget() const { return window_; }
  GtkWindow* Window() const { return GTK_WINDOW(window_); }

  // Makes `picture` the window's surface; the window takes its size. Nothing keeps the
  // window empty (fully transparent) at its current size.
  void Present(UniqueCairoSurface picture);
  cairo_surface_t* Picture() const { return picture_.get(); }

 private:
  static gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
  static void OnScreenChanged(GtkWidget* widget, GdkScreen* previous, gpointer self);
  static void OnCompositedChanged(GdkScreen* screen, gpointer self);
  void UseRgbaVisual();
  void UpdateShape();

  GtkWidget* window_;
  GdkScreen* screen_ = nullptr;  // whose compositing changes reshape the window
  UniqueCairoSurface picture_;
};

}  // namespace orvane::gtk
