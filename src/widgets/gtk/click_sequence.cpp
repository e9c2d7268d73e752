#include "widgets/gtk/click_sequence.h"

#include <cmath>

namespace orvane::gtk {

ClickSequence::Press ClickSequence::OnPress(const GdkEventButton& event) {
  if (event.type != GDK_BUTTON_PRESS) {
    return Press::kIgnore;
  }
  gint double_time = 400;
  gint double_distance = 5;
  GtkSettings* settings = gtk_settings_get_for_screen(gdk_window_get_screen(event.window));
  if (settings) {
    g_object_get(settings, "gtk-double-click-time", &double_time, "gtk-double-click-distance",
                 &double_distance, nullptr);
  }
  const bool is_double = last_was_plain_ && event.button == last_button_ &&
                         event.time - last_time_ <= static_cast<guint32>(double_time) &&
                         std::fabs(event.x_root - last_x_) <= double_distance &&
                         std::fabs(event.y_root - last_y_) <= double_distance;
  last_button_ = event.button;
  last_time_ = event.time;
  last_x_ = event.x_root;
  last_y_ = event.y_root;
  // A third quick press starts a new pair, as on Windows.
  last_was_plain_ = !is_double;
  in_double_ = is_double;
  return is_double ? Press::kDoubleClick : Press::kPress;
}

bool ClickSequence::OnRelease(const GdkEventButton& event, bool over_control) {
  if (event.type != GDK_BUTTON_RELEASE) {
    return false;
  }
  if (in_double_) {
    in_double_ = false;
    return false;
  }
  return over_control;
}

}  // namespace orvane::gtk
