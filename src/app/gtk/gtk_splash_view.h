#pragma once

#include <gtk/gtk.h>

#include "app/gtk/picture_window.h"
#include "app/load_frm.h"

namespace orvane::gtk {

// The splash window: a picture window (see PictureWindow) of the picture's size without a
// taskbar or pager entry.
class GtkSplashView final : public SplashView {
 public:
  explicit GtkSplashView(SplashEvents& events);
  ~GtkSplashView() override;
  GtkSplashView(const GtkSplashView&) = delete;
  GtkSplashView& operator=(const GtkSplashView&) = delete;

  void PresentPicture(int png_id) override;
  void ShowCentred() override;

  GtkWindow* Window() const { return window_.Window(); }

 private:
  static gboolean OnDelete(GtkWidget* widget, GdkEvent* event, gpointer self);
  static gboolean OnDrawn(GtkWidget* widget, cairo_t* cr, gpointer self);

  // How long showing waits at most for the picture's first draw.
  static constexpr guint kFirstDrawWaitMs = 500;

  SplashEvents& events_;
  PictureWindow window_;
  bool drawn_ = false;
};

}  // namespace orvane::gtk
