#pragma once

#include <cstdint>

namespace orvane {

// The screen as a maximise needs it: its place and size in twips, the bottom of the
// work area in pixels from the screen's top, and the display's twips per pixel across.
struct ScreenMetrics {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
  std::int32_t work_area_bottom = 0;
  double twips_per_pixel_x = 15;
};

// Height in twips of the screen strip below the work area. Only the bottom counts: a
// taskbar at the top or a side gives 0.
std::int16_t GetTaskbarHeight(const ScreenMetrics& screen);

}  // namespace orvane
