#pragma once

#include <cstdint>

namespace orvane {

// The button's states, as cMouseAction takes them and the cells are chosen by.
inline constexpr std::int32_t kStateNormal = 0;
inline constexpr std::int32_t kStateHover = 1;
inline constexpr std::int32_t kStatePressed = 2;
inline constexpr std::int32_t kStateDisabled = 3;

// How a strip is divided: three cells (normal, hover, pressed) for a push button, six
// (the same three off, then on) for any other style.
int CellsAcross(std::int32_t style);
// Cell size in pixels from the strip's size in HIMETRIC.
int CellWidth(double strip_width_himetric, std::int32_t style);
int CellHeight(double strip_height_himetric);
// How many cells the button cuts: one per state and value, including the disabled
// cells that lie right of the strip.
int CellsCut(std::int32_t style);
// The cell showing state `state` for `value` (False 0, True -1); may be out of range
// for a style that cuts fewer cells.
int StateCell(std::int32_t state, bool value, std::int32_t style);

// Where the caption and the icon go, in twips of the control.
struct CaptionPlacement {
  std::int32_t text_x = 0;  // caption in any state but pressed
  std::int32_t text_y = 0;
  double icon_x = 0;  // icon, opaque style only
  double icon_y = 0;
};
// `width`, `height`: the control; `text_width`, `text_height`: the caption's extent
// (0 for no caption); `icon_width_himetric`: the icon's width, or none (no icon).
CaptionPlacement PlaceCaption(double width, double height, double text_width, double text_height,
                              const double* icon_width_himetric);
// The icon's width as the placement counts it: whole 26-HIMETRIC steps of 15 twips.
std::int32_t IconAdvanceTwips(double icon_width_himetric);
// In the pressed state the caption moves one pixel right and down.
inline constexpr std::int32_t kPressedTextShift = 15;

// The focus mark, in pixels, for a control of `width` x `height` twips on a display
// with the given twips per pixel: (3, 3) to (right, bottom).
struct FocusMark {
  std::int32_t left = 3;
  std::int32_t top = 3;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  friend bool operator==(const FocusMark&, const FocusMark&) = default;
};
FocusMark PlaceFocusMark(double width, double height, double twips_per_pixel_x,
                         double twips_per_pixel_y);

}  // namespace orvane
