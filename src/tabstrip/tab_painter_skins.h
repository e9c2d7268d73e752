#pragma once

#include "base/geometry.h"

namespace orvane {

// Where the pictures of a tab strip sit in its skin image and where they go on the
// strip. One layout per tab style: style 0 trapezoids (BITMAP 106), any other style
// rounded bars (BITMAP 107).
struct TabSkinLayout {
  int bitmap_id;
  int strip_height;       // the strip's height in this style
  Rect background;        // the one-pixel background column in the skin
  int background_height;  // height the background column is stretched to
  Size picture;           // one tab picture
  int normal_x;           // tab pictures, all at y 0
  int hovered_x;
  int selected_x;
  int close_size;  // close pictures are square, at y 0
  int close_selected_x;
  int close_other_x;
  int close_hot_x;
  int close_pressed_x;
  int margin_left;  // unstretched sides of a tab picture
  int margin_right;
  // A tab picture is drawn at Left + picture_dx, y 0, Width + picture_dw wide,
  // picture_height high.
  int picture_dx;
  int picture_dw;
  int picture_height;
  // A close picture is drawn at Left + Width - close_from_right, close_y.
  int close_from_right;
  int close_y;
};

inline constexpr TabSkinLayout kTabSkinStyle0{106,
                                              25,
                                              Rect{0, 0, 1, 25},
                                              25,
                                              Size{122, 25},
                                              1,
                                              123,
                                              245,
                                              12,
                                              367,
                                              379,
                                              391,
                                              403,
                                              14,
                                              14,
                                              -14,
                                              14,
                                              25,
                                              24,
                                              6};

inline constexpr TabSkinLayout kTabSkinStyleOther{107,
                                                  32,
                                                  Rect{0, 0, 1, 28},
                                                  32,
                                                  Size{124, 26},
                                                  1,
                                                  125,
                                                  249,
                                                  12,
                                                  373,
                                                  385,
                                                  397,
                                                  409,
                                                  14,
                                                  14,
                                                  0,
                                                  0,
                                                  26,
                                                  20,
                                                  7};

constexpr const TabSkinLayout& TabSkinFor(int tab_style) {
  return tab_style == 0 ? kTabSkinStyle0 : kTabSkinStyleOther;
}

}  // namespace orvane
