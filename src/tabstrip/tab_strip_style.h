#pragma once

namespace orvane {

// The geometry of the strip's two looks: `TabStyle` 0 (trapezoid tabs that overlap their
// left neighbour) and every other value (rounded tabs standing apart). Ranges are
// inclusive at both ends; close-box x values count from the tab's right edge.
struct TabStripStyle {
  int strip_height;
  int standard_width;  // locked tabs, and the cap of the shared width
  int first_left;
  int gap;           // after each tab
  int room_once;     // taken from the tab area once before sharing it
  int room_per_tab;  // taken once per tab
  int close_x_from;  // close-box hot box, x relative to Left + Width
  int close_x_to;
  int close_y_from;
  int close_y_to;
  int min_auto_width;  // see below
};

// The shared width never falls below min_auto_width: what a tab with a close box needs for
// its picture, its close box and the smallest caption box (10 pixels, an ellipsis) beside it:
// style 0 captions stop 38 pixels before the tab's right edge, the other style's 28. Tabs
// that no longer fit run past the right margin and are cut off there, rather than shrinking
// into pictures that cannot be drawn.
inline constexpr int kMinCaptionRoom = 10;

inline constexpr TabStripStyle kTabStripStyle0{
    25, 108, 14, 0, 14, 0, -24, -12, 6, 18, 38 + kMinCaptionRoom};
inline constexpr TabStripStyle kTabStripStyleOther{
    32, 200, 0, 5, 0, 5, -20, -8, 7, 19, 28 + kMinCaptionRoom};

// Points below this y are outside the strip for hit testing, in both styles.
inline constexpr int kHitTestableBottom = 25;
// A press this far into the tab area always hits the first tab.
inline constexpr int kFirstTabGrip = 14;

constexpr const TabStripStyle& TabStripStyleFor(int tab_style) {
  return tab_style == 0 ? kTabStripStyle0 : kTabStripStyleOther;
}

}  // namespace orvane
