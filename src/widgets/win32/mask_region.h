#pragma once

#include <windows.h>

#include "base/colour.h"
#include "base/win32/unique_handle.h"
#include "widgets/picture.h"

namespace orvane::win32 {

// The pixels of `mask` (at its natural size, from the top left) that are not
// `mask_colour`, clipped to width x height, as a new region; null when the picture
// holds no bitmap.

UniqueRegion RegionOutsideColour(const Picture& mask, Colour mask_colour, int width, int height);

}  // namespace orvane::win32
