#include "support/canvas_tab_scene.h"

namespace orvane::test {

void TabScene::SetStyle(int tab_style) {
  style = tab_style;
  height = tab_style == 0 ? 25 : 32;
}

void TabScene::LayOut(const std::vector<int>& widths) {
  int x = style == 0 ? 14 : 0;
  const int gap = style == 0 ? 0 : 5;
  for (size_t i = 0; i < widths.size(); ++i) {
    if (i >= tabs.size())
      tabs.push_back(TabPaintItem{});
    tabs[i].left = x;
    tabs[i].width = widths[i];
    x += widths[i] + gap;
  }
  tabs.resize(widths.size());
}

void TabScene::OnDrawBackground(Surface* hdc, int cx, int cy, bool& bSkipDefault) {
  if (log) {
    log->push_back("OnDrawBackground " + std::string(hdc ? "buffer " : "none ") +
                   std::to_string(cx) + "x" + std::to_string(cy));
  }
  if (on_draw_background)
    on_draw_background(hdc, cx, cy, bSkipDefault);
}

void TabScene::PresentBackBuffer(const Surface& back_buffer) {
  ++presents;
  presented = &back_buffer;
  if (log)
    log->push_back("present");
}

}  // namespace orvane::test
