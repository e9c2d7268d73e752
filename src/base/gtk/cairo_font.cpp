#include "base/gtk/cairo_font.h"

#include <gtk/gtk.h>

namespace orvane::gtk {

UniqueFontDescription DefaultGuiFontDescription() {
  GtkSettings* settings = gdk_screen_get_default() ? gtk_settings_get_default() : nullptr;
  gchar* name = nullptr;
  if (settings)
    g_object_get(settings, "gtk-font-name", &name, nullptr);
  UniqueFontDescription description(pango_font_description_from_string(name ? name : "Sans 10"));
  g_free(name);
  if (pango_font_description_get_size(description.get()) <= 0) {
    pango_font_description_set_size(description.get(), 10 * PANGO_SCALE);
  }
  return description;
}

double TextResolution() {
  GdkScreen* screen = gdk_screen_get_default();
  const double dpi = screen ? gdk_screen_get_resolution(screen) : -1.0;
  return dpi > 0 ? dpi : 96.0;
}

}  // namespace orvane::gtk
