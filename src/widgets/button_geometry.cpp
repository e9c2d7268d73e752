#include "widgets/button_geometry.h"

#include "base/rounding.h"
#include "base/units.h"

namespace orvane {

int CellsAcross(std::int32_t style) {
  return style == 0 ? 3 : 6;
}

int CellWidth(double strip_width_himetric, std::int32_t style) {
  return CLng(strip_width_himetric / kHimetricPerPixel / CellsAcross(style));
}

int CellHeight(double strip_height_himetric) {
  return CLng(strip_height_himetric / kHimetricPerPixel);
}

int CellsCut(std::int32_t style) {
  const long long count = 4LL * style + 4;
  return count > 0 ? static_cast<int>(count) : 0;
}

int StateCell(std::int32_t state, bool value, std::int32_t style) {
  return static_cast<int>(state + (value ? 1LL : 0LL) * style * 3);
}

std::int32_t IconAdvanceTwips(double icon_width_himetric) {
  // Integer division takes whole numbers: the width is rounded first, then truncated.
  const long long whole = RoundHalfEven(icon_width_himetric);
  return static_cast<std::int32_t>(whole / 26 * 15);
}

CaptionPlacement PlaceCaption(double width, double height, double text_width, double text_height,
                              const double* icon_width_himetric) {
  CaptionPlacement placement;
  const double start = width / 2 - text_width / 2;
  double advance = 0;
  if (icon_width_himetric) {
    advance = IconAdvanceTwips(*icon_width_himetric);
  }
  placement.text_x = CLng(start + advance);
  placement.text_y = CLng(height / 2 - text_height / 2);
  placement.icon_x = start - advance / 2;
  placement.icon_y = 0;
  return placement;
}

FocusMark PlaceFocusMark(double width, double height, double twips_per_pixel_x,
                         double twips_per_pixel_y) {
  FocusMark mark;
  mark.right = CLng(width / twips_per_pixel_x - 3);
  mark.bottom = CLng(height / twips_per_pixel_y - 3);
  return mark;
}

}  // namespace orvane
