#pragma once

#include <gtk/gtk.h>

#include "app/load_frm.h"
#include "base/gtk/cairo_handles.h"

namespace orvane::gtk {

// The splash window: an undecorated toplevel of the picture's size without a taskbar or
// pager entry, painted with cairo on an RGBA visual. Where no compositing manager blends
// the transparency, the window is shaped by the picture's alpha instead, so no dark
// corners show.
class GtkSplashView final : public SplashView {
 public:
  explicit GtkSplashView(SplashEvents& events);
  ~GtkSplashView() override;
  GtkSplashView(const GtkSplashView&) = delete;
  GtkSplashView& operator=(const GtkSplashView&) = delete;

  void PresentPicture(int png_id) override;
  void ShowCentred() override;

  GtkWindow* Window() const { return GTK_WINDOW(window_); }

 private:
  static gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
  static gboolean OnDelete(GtkWidget* widget, GdkEvent* event, gpointer self);
  static void OnScreenChanged(GtkWidget* widget, GdkScreen* previous, gpointer self);
  static void OnCompositedChanged(GdkScreen* screen, gpointer self);
  void UseRgbaVisual();
  void UpdateShape();

  SplashEvents& events_;
  GtkWidget* window_;
  GdkScreen* screen_ = nullptr;  // whose compositing changes reshape the window
  UniqueCairoSurface picture_;
};

}  // namespace orvane::gtk
