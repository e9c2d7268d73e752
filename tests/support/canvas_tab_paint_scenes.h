#pragma once
// Scenes of the tab painter on a real Canvas, checked pixel by pixel: the platform
// test suites run the same scenes on GDI and on cairo.

#include <gtest/gtest.h>

#include <vector>

#include "base/canvas.h"
#include "support/canvas_tab_scene.h"
#include "tabstrip/tab_painter.h"

namespace orvane::test {

// Every pixel of a surface, read back.
struct PixelImage {
  int width = 0;
  int height = 0;
  std::vector<Colour> pixels;
  Colour At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
  Colour& At(int x, int y) { return pixels[static_cast<size_t>(y * width + x)]; }
};
PixelImage ReadBack(const Surface& surface);

// What the back buffer must hold for a scene whose tabs have empty captions, worked out
// pixel by pixel from the skin and the background buffer. `middle_tolerance`: how far
// (per channel) the stretched middle of a tab picture may be from the skin's column at
// the start of the middle (0 for synthetic skins, whose middles vary only along y).
struct ExpectedPixel {
  Colour colour;
  int tolerance;
};
std::vector<ExpectedPixel> ExpectedStrip(const TabScene& scene, const Surface& skin,
                                         const PixelImage& background, int middle_tolerance);

::testing::AssertionResult MatchesExpected(const PixelImage& actual,
                                           const std::vector<ExpectedPixel>& expected);
::testing::AssertionResult SamePixels(const PixelImage& actual, const PixelImage& expected);

// Draws the scene and compares the back buffer with ExpectedStrip.
::testing::AssertionResult DrawAndCompare(TabPainter& painter, const TabScene& scene,
                                          int middle_tolerance = 0);

// The background buffer is the skin's background column stretched over the strip.
::testing::AssertionResult BackgroundIsStretchedColumn(const TabPainter& painter,
                                                       const TabScene& scene);

// The scenes themselves, each for one tab style; they report through gtest.
// `canvas` gives the skins: a SyntheticSkinCanvas, or the platform's own for the real
// skins (then with a middle tolerance).
void SceneEveryTabState(Canvas& canvas, int tab_style, int middle_tolerance);
// These draw with synthetic skins on the platform canvas given.
void SceneTabsCutOffAtTheMargins(Canvas& canvas, int tab_style);
void SceneCaptionThatFitsIsCentred(Canvas& canvas, int tab_style);
void SceneCaptionTooWideGetsAnEllipsis(Canvas& canvas, int tab_style);
// A title of 10,000 characters, one with right-to-left marks and one with replacement
// characters: each drawn left-aligned with an ellipsis inside its tab, exactly as the
// platform draws the whole text.
void SceneHostileCaptionsGetAnEllipsisInTheirTabs(Canvas& canvas, int tab_style);
void SceneHideButtonWidths(Canvas& canvas, int tab_style);
void SceneHostPaintsTheBackground(Canvas& canvas, int tab_style);
void ScenePaintCopiesTheBackBuffer(Canvas& canvas, int tab_style);
void SceneNoTabAreaShowsTheBackground(Canvas& canvas, int tab_style);

}  // namespace orvane::test
