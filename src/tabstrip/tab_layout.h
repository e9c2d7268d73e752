#pragma once

#include <cstdint>

namespace orvane {

class CTabItems;

// Where the tabs of a strip go: every tab gets its Left and Width, in list order, locked
// tabs the standard width of the style and the others an equal share of the rest of the
// tab area (rounded half to even, at most the standard width, at least the style's
// minimum). Returns that shared width.
std::int32_t LayoutTabs(CTabItems& items, int tab_style, int strip_width, int left_size,
                        int right_size);

}  // namespace orvane
