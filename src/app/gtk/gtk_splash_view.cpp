#include "app/gtk/gtk_splash_view.h"

#include "app/gtk/png_resource.h"
#include "base/start_up_trace.h"

namespace orvane::gtk {

GtkSplashView::GtkSplashView(SplashEvents& events) : events_(events) {
  GtkWindow* window = window_.Window();
  gtk_window_set_skip_taskbar_hint(window, TRUE);
  gtk_window_set_skip_pager_hint(window, TRUE);
  gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_SPLASHSCREEN);
  g_signal_connect(window_.Widget(), "delete-event", G_CALLBACK(OnDelete), this);
  // After the picture window has painted itself: the splash is then on screen.
  g_signal_connect_after(window_.Widget(), "draw", G_CALLBACK(OnDrawn), this);
}

GtkSplashView::~GtkSplashView() {
  g_signal_handlers_disconnect_by_data(window_.Widget(), this);
}

void GtkSplashView::PresentPicture(int png_id) {
  window_.Present(LoadPngResource(png_id, ResourceType::Png));
}

void GtkSplashView::ShowCentred() {
  gtk_window_set_position(window_.Window(), GTK_WIN_POS_CENTER_ALWAYS);
  gtk_widget_show(window_.Widget());
  // The login screen's browser is created next and keeps the loop busy for a while: let the
  // picture reach the screen first, waiting for its first draw a bounded time.
  bool waited_enough = false;
  const guint timeout = g_timeout_add(
      kFirstDrawWaitMs,
      [](gpointer flag) -> gboolean {
        *static_cast<bool*>(flag) = true;
        return G_SOURCE_REMOVE;
      },
      &waited_enough);
  while (!drawn_ && !waited_enough) {
    g_main_context_iteration(nullptr, TRUE);
  }
  if (!waited_enough) {
    g_source_remove(timeout);
  }
}

gboolean GtkSplashView::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
  static_cast<GtkSplashView*>(self)->events_.CloseRequested();
  return TRUE;  // the client unloads the window itself
}

gboolean GtkSplashView::OnDrawn(GtkWidget*, cairo_t*, gpointer self) {
  static_cast<GtkSplashView*>(self)->drawn_ = true;
  MarkStartUp(StartUpPoint::kSplashShown);
  return FALSE;
}

}  // namespace orvane::gtk
