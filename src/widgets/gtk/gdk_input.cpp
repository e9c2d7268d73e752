#include "widgets/gtk/gdk_input.h"

#include "base/gtk/cairo_handles.h"
#include "base/gtk/native_input.h"

namespace orvane::gtk {

std::int16_t ButtonOf(guint gdk_button) {
  return ButtonValue(ButtonOfNumber(gdk_button));
}

std::int16_t ButtonsHeld(guint state) {
  return ButtonValue(ButtonsOfState(state));
}

std::int16_t ShiftOf(guint state) {
  return ShiftValue(KeysOfState(state));
}

std::int16_t KeyCodeOf(guint keyval) {
  if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z) {
    return static_cast<std::int16_t>('A' + (keyval - GDK_KEY_a));
  }
  if ((keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) ||
      (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9)) {
    return static_cast<std::int16_t>(keyval);
  }
  if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F12) {
    return static_cast<std::int16_t>(112 + (keyval - GDK_KEY_F1));
  }
  if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9) {
    return static_cast<std::int16_t>(96 + (keyval - GDK_KEY_KP_0));
  }
  switch (keyval) {
    case GDK_KEY_BackSpace:
      return 8;
    case GDK_KEY_Tab:
    case GDK_KEY_ISO_Left_Tab:
      return 9;
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter:
      return 13;
    case GDK_KEY_Shift_L:
    case GDK_KEY_Shift_R:
      return 16;
    case GDK_KEY_Control_L:
    case GDK_KEY_Control_R:
      return 17;
    case GDK_KEY_Alt_L:
    case GDK_KEY_Alt_R:
      return 18;
    case GDK_KEY_Pause:
      return 19;
    case GDK_KEY_Escape:
      return 27;
    case GDK_KEY_space:
    case GDK_KEY_KP_Space:
      return 32;
    case GDK_KEY_Page_Up:
      return 33;
    case GDK_KEY_Page_Down:
      return 34;
    case GDK_KEY_End:
      return 35;
    case GDK_KEY_Home:
      return 36;
    case GDK_KEY_Left:
      return 37;
    case GDK_KEY_Up:
      return 38;
    case GDK_KEY_Right:
      return 39;
    case GDK_KEY_Down:
      return 40;
    case GDK_KEY_Insert:
      return 45;
    case GDK_KEY_Delete:
      return 46;
    default:
      return 0;
  }
}

std::optional<std::int16_t> KeyAsciiOf(guint keyval) {
  switch (keyval) {
    case GDK_KEY_BackSpace:
      return 8;
    case GDK_KEY_Tab:
      return 9;
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter:
      return 13;
    case GDK_KEY_Escape:
      return 27;
    default:
      break;
  }
  const gunichar c = gdk_keyval_to_unicode(keyval);
  if (c == 0 || c > 0x7FFF) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(c);
}

GdkDevice* PointerDevice(GdkDisplay* display) {
  GdkSeat* seat = gdk_display_get_default_seat(display);
  return seat ? gdk_seat_get_pointer(seat) : nullptr;
}

bool IsPointerOverWidget(GtkWidget* widget) {
  GdkWindow* own = gtk_widget_get_window(widget);
  if (own == nullptr || !gtk_widget_is_sensitive(widget)) {
    return false;
  }
  GdkDevice* pointer = PointerDevice(gtk_widget_get_display(widget));
  if (pointer == nullptr) {
    return false;
  }
  return gdk_device_get_window_at_position(pointer, nullptr, nullptr) == own;
}

void ShowNamedCursor(GdkWindow* window, const char* name) {
  if (window == nullptr) {
    return;
  }
  const UniqueGObject<GdkCursor> cursor(
      gdk_cursor_new_from_name(gdk_window_get_display(window), name));
  gdk_window_set_cursor(window, cursor.get());
}

void BeginMoveDragFromCurrentEvent(GtkWindow* window) {
  GdkEvent* event = gtk_get_current_event();
  if (event == nullptr) {
    return;
  }
  guint button = 0;
  double x_root = 0;
  double y_root = 0;
  if (gdk_event_get_button(event, &button) && gdk_event_get_root_coords(event, &x_root, &y_root) &&
      button == GDK_BUTTON_PRIMARY) {
    gtk_window_begin_move_drag(window, static_cast<gint>(button), static_cast<gint>(x_root),
                               static_cast<gint>(y_root), gdk_event_get_time(event));
  }
  gdk_event_free(event);
}

}  // namespace orvane::gtk
