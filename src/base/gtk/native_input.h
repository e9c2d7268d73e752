#pragma once

#include <gdk/gdk.h>

#include "base/pointer_input.h"

namespace orvane::gtk {

// The buttons a GDK modifier state says are down (GDK numbers the middle button 2).
inline ButtonsDown ButtonsOfState(guint state) {
  return ButtonsDown{(state & GDK_BUTTON1_MASK) != 0, (state & GDK_BUTTON3_MASK) != 0,
                     (state & GDK_BUTTON2_MASK) != 0};
}

inline KeysDown KeysOfState(guint state) {
  return KeysDown{(state & GDK_SHIFT_MASK) != 0, (state & GDK_CONTROL_MASK) != 0,
                  (state & GDK_MOD1_MASK) != 0};
}

// The one button a GDK press or release is about; none for buttons beyond the third.
inline ButtonsDown ButtonOfNumber(guint button) {
  return ButtonsDown{button == GDK_BUTTON_PRIMARY, button == GDK_BUTTON_SECONDARY,
                     button == GDK_BUTTON_MIDDLE};
}

}  // namespace orvane::gtk
