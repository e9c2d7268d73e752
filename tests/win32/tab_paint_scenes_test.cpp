// The tab painter on GDI (memory device contexts, TransparentBlt, halftone StretchBlt):
// the strip's pixels read back and traced to the skin slices, the captions and the
// buffers, in both tab styles. The real skins come from the test program's resources.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/win32/gdi_canvas.h"
#include "support/canvas_synthetic_skin.h"
#include "support/canvas_tab_paint_scenes.h"

namespace orvane::test {
namespace {

class GdiTabPaint : public ::testing::TestWithParam<int> {
 protected:
  win32::GdiCanvas canvas_;
};

TEST_P(GdiTabPaint, SkinSlicesForEveryTabState) {
  SyntheticSkinCanvas skins(canvas_);
  SceneEveryTabState(skins, GetParam(), 0);
}

TEST_P(GdiTabPaint, RealSkinSlicesForEveryTabState) {
  // The art's tab middles are shaded along y only, up to a pixel or two of edge shading.
  SceneEveryTabState(canvas_, GetParam(), 8);
}

TEST_P(GdiTabPaint, TabsAreCutOffAtTheMargins) {
  SceneTabsCutOffAtTheMargins(canvas_, GetParam());
}

TEST_P(GdiTabPaint, CaptionThatFitsIsCentred) {
  SceneCaptionThatFitsIsCentred(canvas_, GetParam());
}

TEST_P(GdiTabPaint, CaptionTooWideGetsAnEllipsis) {
  SceneCaptionTooWideGetsAnEllipsis(canvas_, GetParam());
}

TEST_P(GdiTabPaint, HostileCaptionsGetAnEllipsisInTheirTabs) {
  SceneHostileCaptionsGetAnEllipsisInTheirTabs(canvas_, GetParam());
}

TEST_P(GdiTabPaint, HideButtonGivesTheCaptionMoreRoom) {
  SceneHideButtonWidths(canvas_, GetParam());
}

TEST_P(GdiTabPaint, HostCanPaintTheBackground) {
  SceneHostPaintsTheBackground(canvas_, GetParam());
}

TEST_P(GdiTabPaint, PaintCopiesTheBackBuffer) {
  ScenePaintCopiesTheBackBuffer(canvas_, GetParam());
}

TEST_P(GdiTabPaint, NoTabAreaShowsTheBackground) {
  SceneNoTabAreaShowsTheBackground(canvas_, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Styles, GdiTabPaint, ::testing::Values(0, 1),
                         [](const auto& info) { return "Style" + std::to_string(info.param); });

}  // namespace
}  // namespace orvane::test
