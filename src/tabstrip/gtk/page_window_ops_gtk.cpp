#include "tabstrip/gtk/page_window_ops_gtk.h"

#include "base/gtk/cairo_handles.h"
#include "tabstrip/gtk/widget_handle.h"

namespace orvane::gtk {
namespace {

// The top-level window a widget lives in, or null.
GtkWindow* TopLevelOf(GtkWidget* widget) {
  GtkWidget* top = gtk_widget_get_toplevel(widget);
  return (top && gtk_widget_is_toplevel(top) && GTK_IS_WINDOW(top)) ? GTK_WINDOW(top) : nullptr;
}

}  // namespace

std::uint32_t PageWindowOps::WindowStyle(WindowHandle) {
  return 0;
}

void PageWindowOps::SetWindowStyle(WindowHandle, std::uint32_t) {}

void PageWindowOps::MakeTopLevel(WindowHandle window) {
  GtkWidget* page = ToWidget(window);
  if (!page || gtk_widget_is_toplevel(page)) {
    return;
  }
  // The page outlives its move out of its container.
  const UniqueGObject<GtkWidget> keep(GTK_WIDGET(g_object_ref(page)));
  if (GtkWidget* parent = gtk_widget_get_parent(page)) {
    gtk_container_remove(GTK_CONTAINER(parent), page);
  }
  GtkWidget* top = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_container_add(GTK_CONTAINER(top), page);
  // The window exists only to hold the page: it goes with it.
  g_signal_connect_object(page, "destroy", G_CALLBACK(gtk_widget_destroy), top, G_CONNECT_SWAPPED);
}

Size PageWindowOps::ScreenSize() {
  GdkDisplay* display = gdk_display_get_default();
  if (!display) {
    return Size{};
  }
  GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
  if (!monitor && gdk_display_get_n_monitors(display) > 0) {
    monitor = gdk_display_get_monitor(display, 0);
  }
  if (!monitor) {
    return Size{};
  }
  GdkRectangle area{};
  gdk_monitor_get_geometry(monitor, &area);
  return Size{area.width, area.height};
}

Rect PageWindowOps::WindowRect(WindowHandle window) {
  GtkWidget* page = ToWidget(window);
  if (GtkWindow* top = page ? TopLevelOf(page) : nullptr) {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    gtk_window_get_position(top, &x, &y);
    gtk_window_get_size(top, &width, &height);
    return Rect{x, y, width, height};
  }
  GtkAllocation allocation{};
  if (page) {
    gtk_widget_get_allocation(page, &allocation);
  }
  return Rect{allocation.x, allocation.y, allocation.width, allocation.height};
}

void PageWindowOps::PlaceOnTopShown(WindowHandle window, int x, int y) {
  GtkWidget* page = ToWidget(window);
  GtkWindow* top = page ? TopLevelOf(page) : nullptr;
  if (!top) {
    return;
  }
  gtk_window_move(top, x, y);
  gtk_widget_show_all(GTK_WIDGET(top));
  gtk_window_present(top);
}

void PageWindowOps::Activate(WindowHandle window) {
  GtkWidget* widget = ToWidget(window);
  GtkWindow* top = widget ? TopLevelOf(widget) : nullptr;
  // Only a window already on screen is brought forward; activation never shows one.
  if (top && gtk_widget_get_visible(GTK_WIDGET(top))) {
    gtk_window_present(top);
  }
}

void PageWindowOps::Repaint(WindowHandle window) {
  if (GtkWidget* widget = ToWidget(window)) {
    gtk_widget_queue_draw(widget);
  }
}

}  // namespace orvane::gtk
