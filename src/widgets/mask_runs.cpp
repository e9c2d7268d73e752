#include "widgets/mask_runs.h"

#include <algorithm>

namespace orvane {

std::vector<Rect> RunsOutsideColour(std::span<const std::uint32_t> pixels, int stride, int width,
                                    int height, Colour mask_colour) {
  std::vector<Rect> runs;
  if (stride <= 0 || width <= 0 || height <= 0) {
    return runs;
  }
  const int w = std::min(width, stride);
  const int h =
      std::min(height, static_cast<int>(pixels.size() / static_cast<std::size_t>(stride)));
  // The colour is 0x00BBGGRR; the pixels are 0x??RRGGBB.
  const std::uint32_t key = (static_cast<std::uint32_t>(RedOf(mask_colour)) << 16) |
                            (static_cast<std::uint32_t>(GreenOf(mask_colour)) << 8) |
                            static_cast<std::uint32_t>(BlueOf(mask_colour));
  constexpr std::uint32_t kColourBits = 0x00FFFFFFu;
  for (int y = 0; y < h; ++y) {
    const auto row = pixels.subspan(static_cast<std::size_t>(y) * static_cast<std::size_t>(stride),
                                    static_cast<std::size_t>(w));
    int x = 0;
    while (x < w) {
      while (x < w && (row[static_cast<std::size_t>(x)] & kColourBits) == key) {
        ++x;
      }
      const int start = x;
      while (x < w && (row[static_cast<std::size_t>(x)] & kColourBits) != key) {
        ++x;
      }
      if (x > start) {
        runs.push_back(Rect{start, y, x - start, 1});
      }
    }
  }
  return runs;
}

}  // namespace orvane
