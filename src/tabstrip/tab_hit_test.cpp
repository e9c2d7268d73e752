#include "tabstrip/tab_hit_test.h"

#include <cmath>

#include "base/rounding.h"
#include "tabstrip/tab_item.h"
#include "tabstrip/tab_items.h"
#include "tabstrip/tab_strip_style.h"

namespace orvane {

TabHit HitTest(const CTabItems& items, int tab_style, int strip_width, int left_size,
               int right_size, float x, float y) {
  if (std::isnan(x) || std::isnan(y)) {
    return TabHit{TabHit::kOutside, false};
  }
  const std::int32_t px = CLng(x);
  const std::int32_t py = CLng(y);
  if (px < 0 || px > strip_width || py < 0 || py > kHitTestableBottom) {
    return TabHit{TabHit::kOutside, false};
  }
  if (px > strip_width - right_size || px < left_size) {
    return TabHit{TabHit::kMargin, false};
  }
  if (items.Count() == 0) {
    return TabHit{TabHit::kNoTab, false};
  }
  const std::int32_t rx = px - left_size;
  // The first tab's slanted (or rounded) start belongs to it whatever its layout.
  if (rx <= kFirstTabGrip) {
    return TabHit{0, false};
  }
  const TabStripStyle& style = TabStripStyleFor(tab_style);
  for (std::int32_t i = 0; i < items.Count(); ++i) {
    const auto item = items.Item(i);
    const std::int32_t right = item->Left() + item->Width();
    if (item->Left() <= rx && rx <= right) {
      const bool over_close = !item->HideButton() && rx >= right + style.close_x_from &&
                              rx <= right + style.close_x_to && py >= style.close_y_from &&
                              py <= style.close_y_to;
      return TabHit{i, over_close};
    }
  }
  return TabHit{TabHit::kNoTab, false};
}

}  // namespace orvane
