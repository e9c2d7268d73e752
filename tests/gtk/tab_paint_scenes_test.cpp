// The tab painter on cairo: the strip's pixels read back and traced to the skin slices,
// the captions and the buffers, in both tab styles.
#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include "base/gtk/cairo_canvas.h"
#include "support/canvas_synthetic_skin.h"
#include "support/canvas_tab_paint_scenes.h"

namespace orvane::test {
namespace {

class CairoTabPaint : public ::testing::TestWithParam<int> {
 protected:
  // Fonts come from the desktop's settings, which need the display.
  static void SetUpTestSuite() { ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display"; }
  gtk::CairoCanvas canvas_;
};

TEST_P(CairoTabPaint, SkinSlicesForEveryTabState) {
  SyntheticSkinCanvas skins(canvas_);
  SceneEveryTabState(skins, GetParam(), 0);
}

TEST_P(CairoTabPaint, RealSkinSlicesForEveryTabState) {
  // The art's tab middles are shaded along y only, up to a pixel or two of edge shading.
  SceneEveryTabState(canvas_, GetParam(), 8);
}

TEST_P(CairoTabPaint, TabsAreCutOffAtTheMargins) {
  SceneTabsCutOffAtTheMargins(canvas_, GetParam());
}

TEST_P(CairoTabPaint, CaptionThatFitsIsCentred) {
  SceneCaptionThatFitsIsCentred(canvas_, GetParam());
}

TEST_P(CairoTabPaint, CaptionTooWideGetsAnEllipsis) {
  SceneCaptionTooWideGetsAnEllipsis(canvas_, GetParam());
}

TEST_P(CairoTabPaint, HostileCaptionsGetAnEllipsisInTheirTabs) {
  SceneHostileCaptionsGetAnEllipsisInTheirTabs(canvas_, GetParam());
}

TEST_P(CairoTabPaint, HideButtonGivesTheCaptionMoreRoom) {
  SceneHideButtonWidths(canvas_, GetParam());
}

TEST_P(CairoTabPaint, HostCanPaintTheBackground) {
  SceneHostPaintsTheBackground(canvas_, GetParam());
}

TEST_P(CairoTabPaint, PaintCopiesTheBackBuffer) {
  ScenePaintCopiesTheBackBuffer(canvas_, GetParam());
}

TEST_P(CairoTabPaint, NoTabAreaShowsTheBackground) {
  SceneNoTabAreaShowsTheBackground(canvas_, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Styles, CairoTabPaint, ::testing::Values(0, 1),
                         [](const auto& info) { return "Style" + std::to_string(info.param); });

}  // namespace
}  // namespace orvane::test
