#pragma once

#include <cstdint>

namespace orvane {

// Mouse buttons and shift keys as the controls' events report them (the Button and Shift
// arguments): each a bit of its own, so that held buttons and keys combine.
inline constexpr std::int16_t kLeftButton = 1;
inline constexpr std::int16_t kRightButton = 2;
inline constexpr std::int16_t kMiddleButton = 4;
inline constexpr std::int16_t kShiftMask = 1;
inline constexpr std::int16_t kCtrlMask = 2;
inline constexpr std::int16_t kAltMask = 4;

// What a front-end reads from its native event: which buttons are down (or, for a press
// or release, which one it is about) and which shift keys are held.
struct ButtonsDown {
  bool left = false;
  bool right = false;
  bool middle = false;
};
struct KeysDown {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};

// The Button argument: the sum of the buttons down; 0 when none is.
std::int16_t ButtonValue(ButtonsDown buttons);
// The Shift argument: the sum of the keys held.
std::int16_t ShiftValue(KeysDown keys);

}  // namespace orvane
