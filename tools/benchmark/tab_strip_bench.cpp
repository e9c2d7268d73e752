// The tab strip's DrawTabs with ten tabs on a 1920-pixel strip, drawn with the Linux
// canvas (cairo image surfaces, Pango captions) through the program's painter, beside a
// memcpy of the finished back buffer, the least any redraw of the strip must cost.
#include <benchmark/benchmark.h>
#include <cairo.h>
#include <gtk/gtk.h>

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "base/gtk/cairo_canvas.h"
#include "base/gtk/cairo_surface.h"
#include "tabstrip/tab_painter.h"
#include "tabstrip/tab_strip_style.h"

namespace {

using namespace orvane;

constexpr int kStripWidth = 1920;
constexpr int kTabs = 10;
constexpr int kLeftSize = 40;

// Ten game tabs as the strip lays them out: an equal share of the room, at most the
// style's standard width.
class Strip final : public ITabPaintSource, public ITabPaintHost {
 public:
  explicit Strip(int style) : style_(style) {
    const TabStripStyle& look = TabStripStyleFor(style);
    const int room = kStripWidth - kLeftSize - look.room_once - look.room_per_tab * kTabs;
    const int width = std::min(look.standard_width, room / kTabs);
    int left = look.first_left;
    for (int i = 0; i < kTabs; ++i) {
      tabs_.push_back({left, width,
                       "Mirab - 风之旅人" + std::to_string(i + 1) + " - 游戏大厅 - 在线 12:34",
                       false});
      left += width + look.gap;
    }
  }

  int TabCount() const override { return kTabs; }
  TabPaintItem TabAt(int index) const override { return tabs_[static_cast<size_t>(index)]; }
  int Selected() const override { return 3; }
  int HoverIndex() const override { return 5; }
  int CloseState() const override { return 1; }
  int TabStyle() const override { return style_; }
  int TabLeftSize() const override { return kLeftSize; }
  int TabRightSize() const override { return 0; }
  int StripWidth() const override { return kStripWidth; }
  int StripHeight() const override { return TabStripStyleFor(style_).strip_height; }
  bool DrawingEnabled() const override { return true; }
  void OnDrawBackground(Surface*, int, int, bool&) override {}
  // The window's side of a present (queueing a redraw) is not the painter's cost.
  void PresentBackBuffer(const Surface&) override {}

 private:
  int style_;
  std::vector<TabPaintItem> tabs_;
};

void DrawTabs(benchmark::State& state) {
  gtk::CairoCanvas canvas;
  Strip strip(static_cast<int>(state.range(0)));
  TabPainter painter(canvas, strip, strip);
  painter.CreateBuffers();
  painter.DrawAll(false);
  for (auto _ : state) {
    painter.DrawTabs(true);
    cairo_surface_flush(static_cast<const gtk::CairoSurface*>(painter.BackBuffer())->Image());
  }
}
BENCHMARK(DrawTabs)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void MemcpyBackBuffer(benchmark::State& state) {
  const int height = TabStripStyleFor(static_cast<int>(state.range(0))).strip_height;
  const std::size_t bytes = static_cast<std::size_t>(kStripWidth) * height * 4;
  std::vector<unsigned char> from(bytes, 0x5a);
  std::vector<unsigned char> to(bytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(MemcpyBackBuffer)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  // The canvas takes its font from the desktop's settings.
  if (!gtk_init_check(&argc, &argv)) {
    std::fprintf(stderr, "tab_strip_bench: no display\n");
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
