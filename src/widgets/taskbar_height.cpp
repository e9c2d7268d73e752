#include "widgets/taskbar_height.h"

#include "base/rounding.h"

namespace orvane {

std::int16_t GetTaskbarHeight(const ScreenMetrics& screen) {
  const double tpp = screen.twips_per_pixel_x;
  return CInt((screen.height / tpp - screen.work_area_bottom) * tpp);
}

}  // namespace orvane
