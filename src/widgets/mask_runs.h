#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/colour.h"
#include "base/geometry.h"

namespace orvane {

// The shape a mask picture gives a window: row by row, the runs of pixels that are not
// the mask colour, each a rectangle one pixel high, left to right and top to bottom.
// `pixels` holds 0x??RRGGBB words (the top byte is not looked at), `stride` words a row;
// only the top-left width x height of it counts, clipped to what `pixels` holds.
std::vector<Rect> RunsOutsideColour(std::span<const std::uint32_t> pixels, int stride, int width,
                                    int height, Colour mask_colour);

}  // namespace orvane
