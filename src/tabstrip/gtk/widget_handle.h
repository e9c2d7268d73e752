#pragma once

#include <gtk/gtk.h>

#include "base/window_handle.h"

namespace orvane::gtk {

inline GtkWidget* ToWidget(WindowHandle handle) {
  return reinterpret_cast<GtkWidget*>(handle);
}
inline WindowHandle FromWidget(GtkWidget* widget) {
  return reinterpret_cast<WindowHandle>(widget);
}

}  // namespace orvane::gtk
