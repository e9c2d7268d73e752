// The order of a whole draw: background, tabs from the last to the first with the
// selected one last, each tab's slices, captions and close box, then the back buffer.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/tab_painter_rig.h"

namespace orvane::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

TEST(TabPainterDraw, TrapezoidStripDrawsEveryStepInOrder) {
  TabPainterRig rig;
  rig.scene.SetStyle(0);
  rig.scene.width = 400;
  rig.scene.left_size = 40;
  rig.scene.LayOut({108, 108, 108});  // Left 14, 122, 230
  rig.scene.tabs[0].caption = "A";
  rig.scene.tabs[1].caption = "B";
  rig.scene.tabs[2].caption = "C";
  rig.scene.selected = 1;
  rig.scene.hover = 2;
  rig.MakePainter();
  rig.MakeBuffers();

  rig.painter->DrawAll(true);

  const std::vector<std::string> expected = {
      "OnDrawBackground buffer 400x25",
      "stretch background (0,0,400,25) <- skin106 (0,0,1,25) plain",
      "textbackground tabarea transparent",
      "font tabarea 100",
      "textcolour tabarea rgb(0,0,0)",
      "copy tabarea (0,0,360,25) <- background @(40,0)",
      // Position 2, under the pointer: the hovered picture.
      "create 122x25",
      "stretch scratch (0,0,14,25) <- skin106 (123,0,14,25) halftone",
      "stretch scratch (108,0,14,25) <- skin106 (231,0,14,25) halftone",
      "stretch scratch (14,0,94,25) <- skin106 (137,0,94,25) halftone",
      "transparent tabarea (216,0,122,25) <- scratch @(0,0) key rgb(255,0,255)",
      "free scratch",
      "measure tabarea \"C\"",
      "text tabarea \"C\" (230,0,70,25) format 37",
      "transparent tabarea (314,6,12,12) <- skin106 @(379,0) key rgb(255,0,255)",
      // Position 0: the normal picture, starting at the left edge of the tab area.
      "create 122x25",
      "stretch scratch (0,0,14,25) <- skin106 (1,0,14,25) halftone",
      "stretch scratch (108,0,14,25) <- skin106 (109,0,14,25) halftone",
      "stretch scratch (14,0,94,25) <- skin106 (15,0,94,25) halftone",
      "transparent tabarea (0,0,122,25) <- scratch @(0,0) key rgb(255,0,255)",
      "free scratch",
      "measure tabarea \"A\"",
      "text tabarea \"A\" (14,0,70,25) format 37",
      "transparent tabarea (98,6,12,12) <- skin106 @(379,0) key rgb(255,0,255)",
      // The selected tab last, bold and blue.
      "font tabarea 700",
      "textcolour tabarea rgb(4,96,163)",
      "create 122x25",
      "stretch scratch (0,0,14,25) <- skin106 (245,0,14,25) halftone",
      "stretch scratch (108,0,14,25) <- skin106 (353,0,14,25) halftone",
      "stretch scratch (14,0,94,25) <- skin106 (259,0,94,25) halftone",
      "transparent tabarea (108,0,122,25) <- scratch @(0,0) key rgb(255,0,255)",
      "free scratch",
      "measure tabarea \"B\"",
      "text tabarea \"B\" (122,0,82,25) format 37",
      "transparent tabarea (206,6,12,12) <- skin106 @(367,0) key rgb(255,0,255)",
      "copy back (0,0,400,25) <- background @(0,0)",
      "copy back (40,0,360,25) <- tabarea @(0,0)",
      "present",
  };
  EXPECT_THAT(rig.log, ElementsAreArray(expected));
}

TEST(TabPainterDraw, RoundedStripDrawsEveryStepInOrder) {
  TabPainterRig rig;
  rig.scene.SetStyle(1);
  rig.scene.width = 1000;
  rig.scene.left_size = 10;
  rig.scene.LayOut({200, 200});  // Left 0, 205
  rig.scene.tabs[0].caption = "A";
  rig.scene.tabs[1].caption = "B";
  rig.scene.tabs[1].hide_button = true;
  rig.scene.selected = 0;
  rig.scene.hover = 0;
  rig.scene.close_state = 2;
  rig.MakePainter();
  rig.MakeBuffers();

  rig.painter->DrawAll(true);

  const std::vector<std::string> expected = {
      "OnDrawBackground buffer 1000x32",
      "stretch background (0,0,1000,32) <- skin107 (0,0,1,28) plain",
      "textbackground tabarea transparent",
      "font tabarea 100",
      "textcolour tabarea rgb(0,0,0)",
      "copy tabarea (0,0,990,32) <- background @(10,0)",
      "create 200x26",
      "stretch scratch (0,0,14,26) <- skin107 (1,0,14,26) halftone",
      "stretch scratch (186,0,14,26) <- skin107 (111,0,14,26) halftone",
      "stretch scratch (14,0,172,26) <- skin107 (15,0,96,26) halftone",
      "transparent tabarea (205,0,200,26) <- scratch @(0,0) key rgb(255,0,255)",
      "free scratch",
      "measure tabarea \"B\"",
      // No close box: the caption gets the room.
      "text tabarea \"B\" (217,0,192,26) format 37",
      "font tabarea 700",
      "textcolour tabarea rgb(4,96,163)",
      "create 200x26",
      "stretch scratch (0,0,14,26) <- skin107 (249,0,14,26) halftone",
      "stretch scratch (186,0,14,26) <- skin107 (359,0,14,26) halftone",
      "stretch scratch (14,0,172,26) <- skin107 (263,0,96,26) halftone",
      "transparent tabarea (0,0,200,26) <- scratch @(0,0) key rgb(255,0,255)",
      "free scratch",
      "measure tabarea \"A\"",
      "text tabarea \"A\" (12,0,172,26) format 37",
      // Pressed close box of the selected tab.
      "transparent tabarea (180,7,12,12) <- skin107 @(409,0) key rgb(255,0,255)",
      "copy back (0,0,1000,32) <- background @(0,0)",
      "copy back (10,0,990,32) <- tabarea @(0,0)",
      "present",
  };
  EXPECT_THAT(rig.log, ElementsAreArray(expected));
}

TEST(TabPainterDraw, DrawTabsKeepsTheBackgroundAndPresentsOnlyWhenAsked) {
  TabPainterRig rig;
  rig.scene.width = 300;
  rig.scene.LayOut({108});
  rig.MakePainter();
  rig.MakeBuffers();

  rig.painter->DrawTabs(false);
  EXPECT_THAT(LinesStartingWith(rig.log, "OnDrawBackground"), IsEmpty());
  EXPECT_THAT(LinesContaining(rig.log, "background (0,0"), IsEmpty());
  EXPECT_THAT(LinesStartingWith(rig.log, "present"), IsEmpty());
  EXPECT_THAT(LinesStartingWith(rig.log, "copy back"),
              ElementsAre("copy back (0,0,300,25) <- background @(0,0)",
                          "copy back (40,0,260,25) <- tabarea @(0,0)"));

  rig.log.clear();
  rig.painter->DrawTabs(true);
  EXPECT_EQ(rig.log.back(), "present");
  EXPECT_EQ(rig.scene.presented, rig.painter->BackBuffer());
}

TEST(TabPainterDraw, UnselectedTabsGoFromTheLastToTheFirstAndTheSelectedOneLast) {
  TabPainterRig rig;
  rig.scene.width = 600;
  rig.scene.LayOut({100, 100, 100, 100, 100});
  for (int i = 0; i < 5; ++i)
    rig.scene.tabs[i].caption = "t" + std::to_string(i);
  rig.MakePainter();
  rig.MakeBuffers();

  rig.scene.selected = 2;
  rig.painter->DrawTabs(true);
  EXPECT_THAT(LinesStartingWith(rig.log, "text tabarea \""),
              ElementsAre(::testing::HasSubstr("\"t4\""), ::testing::HasSubstr("\"t3\""),
                          ::testing::HasSubstr("\"t1\""), ::testing::HasSubstr("\"t0\""),
                          ::testing::HasSubstr("\"t2\"")));

  // Without a selection (or with one out of range) every tab is drawn as unselected.
  for (int selected : {-1, 5, 9}) {
    rig.log.clear();
    rig.scene.selected = selected;
    rig.painter->DrawTabs(true);
    EXPECT_THAT(LinesStartingWith(rig.log, "text tabarea \""),
                ElementsAre(::testing::HasSubstr("\"t4\""), ::testing::HasSubstr("\"t3\""),
                            ::testing::HasSubstr("\"t2\""), ::testing::HasSubstr("\"t1\""),
                            ::testing::HasSubstr("\"t0\"")))
        << "Selected " << selected;
    EXPECT_THAT(LinesContaining(rig.log, "@(245,0)"), IsEmpty());
    EXPECT_THAT(LinesContaining(rig.log, "@(367,0)"), IsEmpty());
  }
}

TEST(TabPainterDraw, NoTabsLeavesTheTabAreaAsTheBackground) {
  TabPainterRig rig;
  rig.scene.width = 200;
  rig.MakePainter();
  rig.MakeBuffers();
  rig.painter->DrawAll(true);
  EXPECT_THAT(LinesStartingWith(rig.log, "create"), IsEmpty());
  EXPECT_THAT(LinesStartingWith(rig.log, "text tabarea \""), IsEmpty());
  EXPECT_THAT(LinesStartingWith(rig.log, "copy"),
              ElementsAre("copy tabarea (0,0,160,25) <- background @(40,0)",
                          "copy back (0,0,200,25) <- background @(0,0)",
                          "copy back (40,0,160,25) <- tabarea @(0,0)"));
}

TEST(TabPainterDraw, BackgroundFollowsTheStyleAtDrawTime) {
  TabPainterRig rig;
  rig.scene.width = 300;
  rig.MakePainter();
  rig.MakeBuffers();
  rig.painter->DrawBackground();
  rig.scene.style = 3;  // any style but 0 is the rounded one
  rig.painter->DrawBackground();
  EXPECT_THAT(LinesStartingWith(rig.log, "stretch"),
              ElementsAre("stretch background (0,0,300,25) <- skin106 (0,0,1,25) plain",
                          "stretch background (0,0,300,32) <- skin107 (0,0,1,28) plain"));
}

TEST(TabPainterDraw, HostThatSkipsTheDefaultPaintsTheBackgroundItself) {
  TabPainterRig rig;
  rig.scene.width = 300;
  rig.MakePainter();
  rig.MakeBuffers();
  rig.scene.on_draw_background = [](Surface* hdc, int cx, int cy, bool& skip) {
    ASSERT_NE(hdc, nullptr);
    hdc->FillRect(Rect{0, 0, cx, cy}, Rgb(1, 2, 3));
    skip = true;
  };
  rig.painter->DrawBackground();
  EXPECT_THAT(rig.log, ElementsAre("OnDrawBackground buffer 300x25",
                                   "fill background (0,0,300,25) rgb(1,2,3)"));
}

TEST(TabPainterDraw, NothingIsDrawnWhileDrawingIsDisabled) {
  TabPainterRig rig;
  rig.scene.width = 300;
  rig.scene.LayOut({108, 108});
  rig.scene.selected = 0;
  rig.MakePainter();
  std::unique_ptr<Surface> other = rig.canvas.CreateSurface(100, 25);
  rig.MakeBuffers();
  rig.scene.enabled = false;

  rig.painter->DrawAll(true);
  rig.painter->DrawBackground();
  rig.painter->DrawTabs(true);
  rig.painter->DrawCaption(*other, "caption", 0, 0, 100, 25);
  EXPECT_THAT(rig.log, IsEmpty());
  EXPECT_EQ(rig.scene.presents, 0);
}

}  // namespace
}  // namespace orvane::test
