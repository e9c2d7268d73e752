#pragma once

#include <gdk/gdk.h>

#include <cstdint>

#include "base/gtk/native_input.h"

namespace orvane::gtk {

// The buttons held according to a GDK modifier state, as the strip's events report them.
inline std::int16_t HeldButtons(guint state) {
  return ButtonValue(ButtonsOfState(state));
}

inline std::int16_t ShiftState(guint state) {
  return ShiftValue(KeysOfState(state));
}

// A GDK button number as the strip's button value; 0 for buttons the strip ignores.
inline std::int16_t ButtonOf(guint button) {
  return ButtonValue(ButtonOfNumber(button));
}

}  // namespace orvane::gtk
