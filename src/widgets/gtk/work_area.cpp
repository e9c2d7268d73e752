#include "widgets/gtk/work_area.h"

#include <gdk/gdkx.h>

namespace orvane::gtk {

namespace {

// The first rectangle of _NET_WORKAREA on the root window, if it is there.
bool PublishedWorkArea(GdkDisplay* display, GdkRectangle& area) {
  if (!GDK_IS_X11_DISPLAY(display)) {
    return false;
  }
  GdkWindow* root = gdk_screen_get_root_window(gdk_display_get_default_screen(display));
  GdkAtom actual_type = nullptr;
  gint actual_format = 0;
  gint length = 0;
  guchar* data = nullptr;
  const gboolean found = gdk_property_get(root, gdk_atom_intern_static_string("_NET_WORKAREA"),
                                          gdk_atom_intern_static_string("CARDINAL"), 0, 4 * 4,
                                          FALSE, &actual_type, &actual_format, &length, &data);
  bool ok = false;
  // Format-32 properties arrive as C longs.
  if (found && data && actual_format == 32 && length >= static_cast<gint>(4 * sizeof(long))) {
    const long* values = reinterpret_cast<const long*>(data);
    area = GdkRectangle{static_cast<int>(values[0]), static_cast<int>(values[1]),
                        static_cast<int>(values[2]), static_cast<int>(values[3])};
    ok = area.width > 0 && area.height > 0;
  }
  g_free(data);
  return ok;
}

}  // namespace

MonitorArea MonitorAreaOf(GdkWindow* window) {
  MonitorArea area;
  GdkDisplay* display = gdk_window_get_display(window);
  GdkMonitor* monitor = gdk_display_get_monitor_at_window(display, window);
  if (monitor == nullptr) {
    monitor = gdk_display_get_primary_monitor(display);
  }
  if (monitor == nullptr) {
    return area;
  }
  gdk_monitor_get_geometry(monitor, &area.geometry);
  gdk_monitor_get_workarea(monitor, &area.workarea);
  GdkRectangle published{};
  if (PublishedWorkArea(display, published)) {
    GdkRectangle on_monitor{};
    if (gdk_rectangle_intersect(&published, &area.geometry, &on_monitor)) {
      area.workarea = on_monitor;
    }
  }
  return area;
}

bool IsWorkAreaChange(GdkDisplay* display, const void* native_event) {
  if (!GDK_IS_X11_DISPLAY(display)) {
    return false;
  }
  const auto* event = static_cast<const XEvent*>(native_event);
  return event->type == PropertyNotify &&
         event->xproperty.atom == gdk_x11_get_xatom_by_name_for_display(display, "_NET_WORKAREA");
}

}  // namespace orvane::gtk
