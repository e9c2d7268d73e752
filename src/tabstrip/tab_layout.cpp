#include "tabstrip/tab_layout.h"

#include <algorithm>

#include "base/rounding.h"
#include "tabstrip/tab_item.h"
#include "tabstrip/tab_items.h"
#include "tabstrip/tab_strip_style.h"

namespace orvane {

std::int32_t LayoutTabs(CTabItems& items, int tab_style, int strip_width, int left_size,
                        int right_size) {
  const TabStripStyle& style = TabStripStyleFor(tab_style);
  const int n = items.Count();
  int locked = 0;
  for (int i = 0; i < n; ++i) {
    locked += items.Item(i)->LockSize() ? 1 : 0;
  }

  std::int32_t shared = style.standard_width;
  if (locked < n) {
    const double avail = static_cast<double>(strip_width) - left_size - right_size;
    const double rest = avail - static_cast<double>(style.standard_width) * locked -
                        style.room_once - static_cast<double>(style.room_per_tab) * n;
    shared = CLng(rest / (n - locked));
    shared = std::clamp(shared, style.min_auto_width, style.standard_width);
  }

  std::int32_t x = style.first_left;
  for (int i = 0; i < n; ++i) {
    const auto item = items.Item(i);
    item->SetLeft(x);
    item->SetWidth(item->LockSize() ? style.standard_width : shared);
    x += item->Width() + style.gap;
  }
  return shared;
}

}  // namespace orvane
