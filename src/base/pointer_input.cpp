#include "base/pointer_input.h"

namespace orvane {

std::int16_t ButtonValue(ButtonsDown buttons) {
  std::int16_t value = 0;
  if (buttons.left)
    value |= kLeftButton;
  if (buttons.right)
    value |= kRightButton;
  if (buttons.middle)
    value |= kMiddleButton;
  return value;
}

std::int16_t ShiftValue(KeysDown keys) {
  std::int16_t value = 0;
  if (keys.shift)
    value |= kShiftMask;
  if (keys.ctrl)
    value |= kCtrlMask;
  if (keys.alt)
    value |= kAltMask;
  return value;
}

}  // namespace orvane
