#pragma once

#include <gdk/gdk.h>

#include <cstdint>

#include "tabstrip/utab_events.h"

namespace orvane::gtk {

// The buttons held according to a GDK modifier state, as the strip's events report them.
inline std::int16_t HeldButtons(guint state) {
  std::int16_t buttons = 0;
  if (state & GDK_BUTTON1_MASK)
    buttons |= kLeftButton;
  if (state & GDK_BUTTON3_MASK)
    buttons |= kRightButton;
  if (state & GDK_BUTTON2_MASK)
    buttons |= kMiddleButton;
  return buttons;
}

inline std::int16_t ShiftState(guint state) {
  std::int16_t shift = 0;
  if (state & GDK_SHIFT_MASK)
    shift |= kShiftMask;
  if (state & GDK_CONTROL_MASK)
    shift |= kCtrlMask;
  if (state & GDK_MOD1_MASK)
    shift |= kAltMask;
  return shift;
}

// A GDK button number as the strip's button value; 0 for buttons the strip ignores.
inline std::int16_t ButtonOf(guint button) {
  switch (button) {
    case GDK_BUTTON_PRIMARY:
      return kLeftButton;
    case GDK_BUTTON_SECONDARY:
      return kRightButton;
    case GDK_BUTTON_MIDDLE:
      return kMiddleButton;
    default:
      return 0;
  }
}

}  // namespace orvane::gtk
