// The drawing routines of the tab strip: nine-part pictures, transparent transfers,
// text in a rectangle, and one caption's choice between centring and an ellipsis.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/tab_painter_rig.h"
#include "tabstrip/tab_painter_api.h"

namespace orvane::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct RoutineRig {
  std::vector<std::string> log;
  RecordingCanvas canvas{log};
  std::unique_ptr<Surface> dest = canvas.CreateSurface(300, 200);
  std::unique_ptr<Surface> source = canvas.CreateSurface(100, 100);
  RoutineRig() {
    canvas.Name(dest.get(), "dest");
    canvas.Name(source.get(), "src");
    log.clear();
  }
};

TEST(DrawNineGrid, AllMarginsComposeNinePartsThenOneTransparentTransfer) {
  RoutineRig rig;
  const bool drawn = DrawNineGrid(rig.canvas, *rig.dest, Rect{10, 20, 100, 50}, *rig.source,
                                  Rect{7, 8, 40, 30}, NineGridMargins{3, 4, 5, 6}, kMagenta);
  EXPECT_TRUE(drawn);
  EXPECT_THAT(
      rig.log,
      ElementsAre(
          "create 100x50",
          // corners
          "copy scratch (0,0,3,4) <- src @(7,8)", "copy scratch (95,0,5,4) <- src @(42,8)",
          "copy scratch (0,44,3,6) <- src @(7,32)", "copy scratch (95,44,5,6) <- src @(42,32)",
          // sides: left, right, top, bottom
          "stretch scratch (0,4,3,40) <- src (7,12,3,20) halftone",
          "stretch scratch (95,4,5,40) <- src (42,12,5,20) halftone",
          "stretch scratch (3,0,92,4) <- src (10,8,32,4) halftone",
          "stretch scratch (3,44,92,6) <- src (10,32,32,6) halftone",
          // centre
          "stretch scratch (3,4,92,40) <- src (10,12,32,20) halftone",
          "transparent dest (10,20,100,50) <- scratch @(0,0) key rgb(255,0,255)", "free scratch"));
  EXPECT_EQ(rig.canvas.live_surfaces, 2);
}

TEST(DrawNineGrid, TabMarginsDrawOnlyTheSidesAndTheCentre) {
  RoutineRig rig;
  DrawNineGrid(rig.canvas, *rig.dest, Rect{0, 0, 60, 25}, *rig.source, Rect{1, 0, 40, 25},
               NineGridMargins{14, 0, 14, 0});
  EXPECT_THAT(rig.log,
              ElementsAre("create 60x25", "stretch scratch (0,0,14,25) <- src (1,0,14,25) halftone",
                          "stretch scratch (46,0,14,25) <- src (27,0,14,25) halftone",
                          "stretch scratch (14,0,32,25) <- src (15,0,12,25) halftone",
                          "copy dest (0,0,60,25) <- scratch @(0,0)", "free scratch"));
}

TEST(DrawNineGrid, OnlyATopMarginDrawsTheTopSideAndTheCentre) {
  RoutineRig rig;
  DrawNineGrid(rig.canvas, *rig.dest, Rect{5, 5, 30, 20}, *rig.source, Rect{2, 3, 10, 12},
               NineGridMargins{0, 4, 0, 0});
  EXPECT_THAT(LinesStartingWith(rig.log, "stretch"),
              ElementsAre("stretch scratch (0,0,30,4) <- src (2,3,10,4) halftone",
                          "stretch scratch (0,4,30,16) <- src (2,7,10,8) halftone"));
  EXPECT_THAT(LinesStartingWith(rig.log, "copy scratch"), IsEmpty());
}

TEST(DrawNineGrid, NoPositiveMarginStretchesTheWholePicture) {
  RoutineRig rig;
  DrawNineGrid(rig.canvas, *rig.dest, Rect{1, 2, 50, 40}, *rig.source, Rect{3, 4, 20, 10},
               NineGridMargins{}, Rgb(1, 2, 3));
  EXPECT_THAT(
      rig.log,
      ElementsAre("create 50x40", "stretch scratch (0,0,50,40) <- src (3,4,20,10) halftone",
                  "transparent dest (1,2,50,40) <- scratch @(0,0) key rgb(1,2,3)", "free scratch"));
  rig.log.clear();
  // Margins that are not positive still shift the source as given.
  DrawNineGrid(rig.canvas, *rig.dest, Rect{1, 2, 50, 40}, *rig.source, Rect{3, 4, 20, 10},
               NineGridMargins{-1, 0, -2, 0});
  EXPECT_THAT(LinesStartingWith(rig.log, "stretch"),
              ElementsAre("stretch scratch (0,0,50,40) <- src (2,4,22,10) halftone"));
}

TEST(DrawNineGrid, ZeroOrNegativeSizesDrawNothing) {
  RoutineRig rig;
  const Rect to{0, 0, 20, 20};
  const Rect from{0, 0, 10, 10};
  const NineGridMargins m{2, 2, 2, 2};
  EXPECT_FALSE(DrawNineGrid(rig.canvas, *rig.dest, Rect{0, 0, 0, 20}, *rig.source, from, m));
  EXPECT_FALSE(DrawNineGrid(rig.canvas, *rig.dest, Rect{0, 0, 20, 0}, *rig.source, from, m));
  EXPECT_FALSE(DrawNineGrid(rig.canvas, *rig.dest, to, *rig.source, Rect{0, 0, 0, 10}, m));
  EXPECT_FALSE(DrawNineGrid(rig.canvas, *rig.dest, to, *rig.source, Rect{0, 0, 10, 0}, m));
  // A tab squeezed below nothing by a crowded strip.
  EXPECT_FALSE(DrawNineGrid(rig.canvas, *rig.dest, Rect{0, 0, -6, 25}, *rig.source, from, m));
  EXPECT_THAT(rig.log, IsEmpty());
}

TEST(DrawTransparentAndText, AreSingleTransfers) {
  RoutineRig rig;
  DrawTransparent(*rig.dest, Rect{4, 5, 12, 12}, *rig.source, Point{7, 0}, kMagenta);
  DrawTextInRect(*rig.dest, "abc", 1, 2, 30, 40, 37);
  EXPECT_THAT(rig.log, ElementsAre("transparent dest (4,5,12,12) <- src @(7,0) key rgb(255,0,255)",
                                   "text dest \"abc\" (1,2,30,40) format 37"));
}

struct CaptionCase {
  Size extent;  // measured text
  Rect box;
  const char* drawn;
};

class DrawCaptionChoice : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(DrawCaptionChoice, EllipsisWhenTooWideElseCentred) {
  const CaptionCase c = GetParam();
  TabPainterRig rig;
  rig.canvas.measure = [&](std::string_view) { return c.extent; };
  rig.MakePainter();
  std::unique_ptr<Surface> dc = rig.canvas.CreateSurface(400, 50);
  rig.canvas.Name(dc.get(), "dc");
  rig.log.clear();
  rig.painter->DrawCaption(*dc, "Caption", c.box.x, c.box.y, c.box.width, c.box.height);
  EXPECT_THAT(rig.log,
              ElementsAre("measure dc \"Caption\"", std::string("text dc \"Caption\" ") + c.drawn));
}

INSTANTIATE_TEST_SUITE_P(
    Captions, DrawCaptionChoice,
    ::testing::Values(
        // Fits, also exactly: centred in the box as given.
        CaptionCase{Size{50, 16}, Rect{10, 0, 80, 25}, "(10,0,80,25) format 37"},
        CaptionCase{Size{80, 16}, Rect{10, 0, 80, 25}, "(10,0,80,25) format 37"},
        // Too wide: top moved down by half the spare height, halves to even.
        CaptionCase{Size{81, 16}, Rect{10, 0, 80, 25}, "(10,4,80,25) format 32768"},
        CaptionCase{Size{81, 14}, Rect{10, 0, 80, 25}, "(10,6,80,25) format 32768"},
        CaptionCase{Size{81, 15}, Rect{10, 3, 80, 25}, "(10,8,80,25) format 32768"},
        CaptionCase{Size{81, 13}, Rect{10, 0, 80, 26}, "(10,6,80,26) format 32768"},
        CaptionCase{Size{81, 20}, Rect{10, 0, 80, 15}, "(10,-2,80,15) format 32768"},
        // No room at all.
        CaptionCase{Size{20, 16}, Rect{10, 0, -4, 25}, "(10,4,-4,25) format 32768"}));

}  // namespace
}  // namespace orvane::test
