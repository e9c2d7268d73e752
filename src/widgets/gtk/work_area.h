#pragma once

#include <gtk/gtk.h>

namespace orvane::gtk {

// The monitor a window is on, and the part of it not taken by panels (the work area the
// window manager publishes on the root window, where it publishes one).
struct MonitorArea {
  GdkRectangle geometry{};
  GdkRectangle workarea{};
};
MonitorArea MonitorAreaOf(GdkWindow* window);

// Whether a native event announces a new published work area.
bool IsWorkAreaChange(GdkDisplay* display, const void* native_event);

}  // namespace orvane::gtk
