#include "app/gtk/gtk_splash_view.h"

#include "app/gtk/png_resource.h"

namespace orvane::gtk {

GtkSplashView::GtkSplashView(SplashEvents& events)
    : events_(events), window_(gtk_window_new(GTK_WINDOW_TOPLEVEL)) {
  g_object_ref_sink(window_);
  GtkWindow* window = GTK_WINDOW(window_);
  gtk_window_set_decorated(window, FALSE);
  gtk_window_set_resizable(window, FALSE);
  gtk_window_set_skip_taskbar_hint(window, TRUE);
  gtk_window_set_skip_pager_hint(window, TRUE);
  gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_SPLASHSCREEN);
  gtk_widget_set_app_paintable(window_, TRUE);
  UseRgbaVisual();
  g_signal_connect(window_, "draw", G_CALLBACK(OnDraw), this);
  g_signal_connect(window_, "delete-event", G_CALLBACK(OnDelete), this);
  g_signal_connect(window_, "screen-changed", G_CALLBACK(OnScreenChanged), this);
  screen_ = gtk_widget_get_screen(window_);
  g_signal_connect(screen_, "composited-changed", G_CALLBACK(OnCompositedChanged), this);
}

GtkSplashView::~GtkSplashView() {
  g_signal_handlers_disconnect_by_data(screen_, this);
  g_signal_handlers_disconnect_by_data(window_, this);
  gtk_widget_destroy(window_);
  g_object_unref(window_);
}

void GtkSplashView::UseRgbaVisual() {
  GdkScreen* screen = gtk_widget_get_screen(window_);
  if (GdkVisual* rgba = gdk_screen_get_rgba_visual(screen)) {
    gtk_widget_set_visual(window_, rgba);
  }
}

void GtkSplashView::PresentPicture(int png_id) {
  picture_ = LoadPngResource(png_id, ResourceType::Png);
  if (picture_) {
    const int width = cairo_image_surface_get_width(picture_.get());
    const int height = cairo_image_surface_get_height(picture_.get());
    gtk_widget_set_size_request(window_, width, height);
    gtk_window_resize(GTK_WINDOW(window_), width, height);
  }
  UpdateShape();
  gtk_widget_queue_draw(window_);
}

void GtkSplashView::ShowCentred() {
  gtk_window_set_position(GTK_WINDOW(window_), GTK_WIN_POS_CENTER_ALWAYS);
  gtk_widget_show(window_);
}

void GtkSplashView::UpdateShape() {
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

gboolean GtkSplashView::OnDraw(GtkWidget*, cairo_t* cr, gpointer self) {
  auto* view = static_cast<GtkSplashView*>(self);
  // The window's own pixels are replaced, alpha included, so its see-through parts stay so.
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  if (view->picture_) {
    cairo_set_source_surface(cr, view->picture_.get(), 0, 0);
  } else {
    cairo_set_source_rgba(cr, 0, 0, 0, 0);
  }
  cairo_paint(cr);
  return TRUE;
}

gboolean GtkSplashView::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
  static_cast<GtkSplashView*>(self)->events_.CloseRequested();
  return TRUE;  // the client unloads the window itself
}

void GtkSplashView::OnScreenChanged(GtkWidget*, GdkScreen*, gpointer self) {
  auto* view = static_cast<GtkSplashView*>(self);
  g_signal_handlers_disconnect_by_data(view->screen_, view);
  view->screen_ = gtk_widget_get_screen(view->window_);
  g_signal_connect(view->screen_, "composited-changed", G_CALLBACK(OnCompositedChanged), view);
  view->UseRgbaVisual();
  view->UpdateShape();
}

void GtkSplashView::OnCompositedChanged(GdkScreen*, gpointer self) {
  static_cast<GtkSplashView*>(self)->UpdateShape();
}

}  // namespace orvane::gtk
