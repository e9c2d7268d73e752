#pragma once

#include <cstdint>

namespace orvane {

class CTabItems;

// What lies under a point of the strip.
struct TabHit {
  // A tab position, or one of the values below.
  std::int32_t index = kOutside;
  bool over_close = false;

  static constexpr std::int32_t kNoTab = -1;    // in the tab area, on no tab
  static constexpr std::int32_t kMargin = -2;   // left or right of the tab area
  static constexpr std::int32_t kOutside = -3;  // outside the strip (or below y 25)

  friend bool operator==(const TabHit&, const TabHit&) = default;
};

// The tab (and whether its close box) under the point x, y of the strip's client area,
// after rounding both half to even. The geometry is that of `tab_style` and of the tabs'
// current Left and Width.
TabHit HitTest(const CTabItems& items, int tab_style, int strip_width, int left_size,
               int right_size, float x, float y);

}  // namespace orvane
