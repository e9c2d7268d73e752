#pragma once
// A tab strip as the painter sees it, set up directly by a test: tabs, selection, hover,
// close state, style and margins, with the host's side recorded.

#include <functional>
#include <string>
#include <vector>

#include "tabstrip/tab_painter.h"

namespace orvane::test {

class TabScene : public ITabPaintSource, public ITabPaintHost {
 public:
  std::vector<TabPaintItem> tabs;
  int selected = -1;
  int hover = -1;
  int close_state = 0;
  int style = 0;
  int left_size = 40;
  int right_size = 0;
  int width = 400;
  int height = 25;
  bool enabled = true;

  // The host's handler of OnDrawBackground; none leaves the default background.
  std::function<void(Surface*, int, int, bool&)> on_draw_background;
  // Every event and presentation, as text, in order (shared with a recording canvas).
  std::vector<std::string>* log = nullptr;
  int presents = 0;
  const Surface* presented = nullptr;

  // Style and its strip height together (25 for style 0, 32 otherwise).
  void SetStyle(int tab_style);
  // Tabs of the given widths laid out as the strip lays them out: style 0 abutting
  // from Left 14, other styles from Left 0 with 5 pixels between.
  void LayOut(const std::vector<int>& widths);

  int TabCount() const override { return static_cast<int>(tabs.size()); }
  TabPaintItem TabAt(int index) const override { return tabs.at(static_cast<size_t>(index)); }
  int Selected() const override { return selected; }
  int HoverIndex() const override { return hover; }
  int CloseState() const override { return close_state; }
  int TabStyle() const override { return style; }
  int TabLeftSize() const override { return left_size; }
  int TabRightSize() const override { return right_size; }
  int StripWidth() const override { return width; }
  int StripHeight() const override { return height; }
  bool DrawingEnabled() const override { return enabled; }

  void OnDrawBackground(Surface* hdc, int cx, int cy, bool& bSkipDefault) override;
  void PresentBackBuffer(const Surface& back_buffer) override;
};

}  // namespace orvane::test
