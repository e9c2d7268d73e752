#pragma once

#include <cstdint>

#include "base/rounding.h"

namespace orvane {

// Forms and controls are laid out in twips; picture objects report HIMETRIC.
// Both convert to pixels with fixed factors, whatever the display.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr double kHimetricPerPixel = 26.45836;

inline constexpr double TwipsToPixelsExact(double twips) { return twips / kTwipsPerPixel; }
inline std::int32_t TwipsToPixels(double twips) { return CLng(twips / kTwipsPerPixel); }
inline constexpr double PixelsToTwips(double pixels) { return pixels * kTwipsPerPixel; }
inline std::int32_t HimetricToPixels(double himetric) { return CLng(himetric / kHimetricPerPixel); }
inline constexpr double PixelsToHimetric(double pixels) { return pixels * kHimetricPerPixel; }

}  // namespace orvane
