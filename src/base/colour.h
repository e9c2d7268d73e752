#pragma once

#include <cstdint>

namespace orvane {

// A colour as the platform's drawing calls take it: 0x00BBGGRR, red in the low byte.
using Colour = std::uint32_t;

constexpr Colour Rgb(int r, int g, int b) {
  return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(Colour c) {
  return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(Colour c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(Colour c) {
  return static_cast<int>((c >> 16) & 0xFF);
}

// The transparent colour of the skins.
inline constexpr Colour kMagenta = Rgb(255, 0, 255);
inline constexpr Colour kBlack = Rgb(0, 0, 0);
// What a pixel read outside a surface (or from a surface that cannot be read) yields.
inline constexpr Colour kInvalidColour = 0xFFFFFFFF;

}  // namespace orvane
