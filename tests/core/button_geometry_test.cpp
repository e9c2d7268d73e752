// Cell geometry, caption placement and the focus mark of the skinned button.
#include <gtest/gtest.h>

#include "widgets/button_geometry.h"
#include "widgets/picture.h"

namespace orvane {
namespace {

double Himetric(int pixels) {
  return PictureHimetricFromPixels(pixels);
}

TEST(ButtonCellGeometry, StripsOfTheProgramDivideIntoTheirCells) {
  // A 13 x 22 strip (the link buttons) gives 4-pixel cells: 13 / 3 rounded.
  EXPECT_EQ(CellWidth(Himetric(13), 0), 4);
  EXPECT_EQ(CellHeight(Himetric(22)), 22);
  EXPECT_EQ(CellWidth(Himetric(72), 0), 24);
  EXPECT_EQ(CellWidth(Himetric(129), 0), 43);
  EXPECT_EQ(CellWidth(Himetric(225), 0), 75);
  // The maximise/restore toggle strip has six cells.
  EXPECT_EQ(CellWidth(Himetric(150), 1), 25);
  EXPECT_EQ(CellHeight(Himetric(18)), 18);
}

TEST(ButtonCellGeometry, WidthsRoundToTheNearestPixel) {
  // 14 / 3 = 4.67 -> 5; 16 / 3 = 5.33 -> 5; 11 / 6 = 1.83 -> 2.
  EXPECT_EQ(CellWidth(Himetric(14), 0), 5);
  EXPECT_EQ(CellWidth(Himetric(16), 0), 5);
  EXPECT_EQ(CellWidth(Himetric(11), 1), 2);
  // Any style other than 0 divides into six.
  EXPECT_EQ(CellsAcross(0), 3);
  EXPECT_EQ(CellsAcross(1), 6);
  EXPECT_EQ(CellsAcross(2), 6);
}

TEST(ButtonCellGeometry, CutsOneCellPerStateAndValue) {
  EXPECT_EQ(CellsCut(0), 4);
  EXPECT_EQ(CellsCut(1), 8);
  EXPECT_EQ(CellsCut(-1), 0);
  // Push button: the states in order, whatever Value says.
  for (int s = 0; s <= 3; ++s) {
    EXPECT_EQ(StateCell(s, false, 0), s);
    EXPECT_EQ(StateCell(s, true, 0), s);
  }
  // Toggle: off 0..3, on 3..6 (disabled-on lies right of the six-cell strip).
  EXPECT_EQ(StateCell(0, false, 1), 0);
  EXPECT_EQ(StateCell(3, false, 1), 3);
  EXPECT_EQ(StateCell(0, true, 1), 3);
  EXPECT_EQ(StateCell(2, true, 1), 5);
  EXPECT_EQ(StateCell(3, true, 1), 6);
}

TEST(ButtonCaptionPlacement, CentresTheCaptionWithoutIcon) {
  // 81 x 22 pixels, a caption of 48 x 12 pixels.
  const CaptionPlacement p = PlaceCaption(1215, 330, 720, 180, nullptr);
  EXPECT_EQ(p.text_x, 248);  // 607.5 - 360 = 247.5, to the even neighbour
  EXPECT_EQ(p.text_y, 75);
}

TEST(ButtonCaptionPlacement, AnIconMovesTheCaptionByItsWholeWidth) {
  const double icon = Himetric(16);  // 423 HIMETRIC: 16 steps of 26 -> 240 twips
  EXPECT_EQ(IconAdvanceTwips(icon), 240);
  EXPECT_EQ(IconAdvanceTwips(Himetric(32)), 480);
  const CaptionPlacement p = PlaceCaption(1500, 330, 600, 180, &icon);
  EXPECT_EQ(p.text_x, 450 + 240);
  // The icon is centred on where the caption would start without it.
  EXPECT_DOUBLE_EQ(p.icon_x, 450 - 120);
  EXPECT_DOUBLE_EQ(p.icon_y, 0);
}

TEST(ButtonCaptionPlacement, AnIconWithoutCaptionIsCentredAtTheTop) {
  const double icon = Himetric(16);
  const CaptionPlacement p = PlaceCaption(900, 450, 0, 0, &icon);
  EXPECT_DOUBLE_EQ(p.icon_x, 450 - 120);
  EXPECT_DOUBLE_EQ(p.icon_y, 0);
}

TEST(ButtonFocusMark, InsetsThreePixelsWithTheDisplaysScale) {
  EXPECT_EQ(PlaceFocusMark(1215, 330, 15, 15), (FocusMark{3, 3, 78, 19}));
  // A 120-dpi display has 12 twips per pixel: 101.25 - 3 -> 98, 27.5 - 3 -> 24.
  EXPECT_EQ(PlaceFocusMark(1215, 330, 12, 12), (FocusMark{3, 3, 98, 24}));
}

}  // namespace
}  // namespace orvane
