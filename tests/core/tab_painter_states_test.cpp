// Which pictures a tab gets for its state, and how much room its caption has.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/tab_painter_rig.h"

namespace orvane::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// The close-box lines of one draw (all come straight from the skin).
std::vector<std::string> CloseBoxes(const std::vector<std::string>& log) {
  return LinesContaining(LinesStartingWith(log, "transparent tabarea"), "<- skin");
}

// The tab-picture slices of one draw: the source of each tab's left side.
std::vector<std::string> PictureSources(const std::vector<std::string>& log) {
  return LinesContaining(LinesStartingWith(log, "stretch scratch (0,0,14,"), "<- skin");
}

struct CloseCase {
  int style;
  int selected;
  int hover;
  int close_state;
  const char* tab0_close;  // source of tab 0's close picture
};

class TabPainterCloseBox : public ::testing::TestWithParam<CloseCase> {};

TEST_P(TabPainterCloseBox, PictureFollowsHoverAndCloseState) {
  const CloseCase c = GetParam();
  TabPainterRig rig;
  rig.scene.SetStyle(c.style);
  rig.scene.width = 600;
  rig.scene.LayOut({150, 150});
  rig.scene.selected = c.selected;
  rig.scene.hover = c.hover;
  rig.scene.close_state = c.close_state;
  rig.MakePainter();
  rig.MakeBuffers();
  rig.painter->DrawTabs(true);

  const std::vector<std::string> boxes = CloseBoxes(rig.log);
  ASSERT_EQ(boxes.size(), 2u);
  // Tab 0 is drawn last unless tab 1 is the selected one.
  const std::string& tab0 = c.selected == 1 ? boxes[0] : boxes[1];
  const int right = (c.style == 0 ? 14 : 0) + 150;
  const std::string place = c.style == 0 ? "(" + std::to_string(right - 24) + ",6,12,12)"
                                         : "(" + std::to_string(right - 20) + ",7,12,12)";
  EXPECT_THAT(tab0, HasSubstr(place));
  EXPECT_THAT(tab0, HasSubstr(std::string("@(") + c.tab0_close + ",0)"));
}

INSTANTIATE_TEST_SUITE_P(
    States, TabPainterCloseBox,
    ::testing::Values(
        // Style 0: another tab's box 379, hot 391, pressed 403; the selected tab's 367.
        CloseCase{0, 1, -1, 0, "379"}, CloseCase{0, 1, 0, 0, "379"}, CloseCase{0, 1, 0, 1, "391"},
        CloseCase{0, 1, 0, 2, "403"}, CloseCase{0, 1, 1, 1, "379"}, CloseCase{0, 1, 1, 2, "379"},
        CloseCase{0, 0, -1, 0, "367"}, CloseCase{0, 0, 0, 0, "367"}, CloseCase{0, 0, 0, 1, "391"},
        CloseCase{0, 0, 0, 2, "403"}, CloseCase{0, 0, 1, 2, "367"}, CloseCase{0, 0, -2, 1, "367"},
        // Other styles: 385, 397, 409 and the selected tab's 373.
        CloseCase{1, 1, -1, 0, "385"}, CloseCase{1, 1, 0, 1, "397"}, CloseCase{1, 1, 0, 2, "409"},
        CloseCase{1, 0, -1, 0, "373"}, CloseCase{1, 0, 0, 1, "397"}, CloseCase{1, 0, 0, 2, "409"},
        CloseCase{1, 0, 1, 1, "373"}));

TEST(TabPainterPictures, HoveredPictureOnlyOnTabsThatAreNotSelected) {
  for (int style : {0, 1}) {
    TabPainterRig rig;
    rig.scene.SetStyle(style);
    rig.scene.width = 600;
    rig.scene.LayOut({150, 150});
    rig.MakePainter();
    rig.MakeBuffers();
    const std::string skin = style == 0 ? "skin106" : "skin107";
    const std::string normal = skin + " (1,0,14,";
    const std::string hovered = skin + (style == 0 ? " (123,0,14," : " (125,0,14,");
    const std::string selected = skin + (style == 0 ? " (245,0,14," : " (249,0,14,");

    rig.scene.selected = 0;
    rig.scene.hover = 0;
    rig.painter->DrawTabs(true);
    EXPECT_THAT(PictureSources(rig.log), ElementsAre(HasSubstr(normal), HasSubstr(selected)));

    rig.log.clear();
    rig.scene.hover = 1;
    rig.painter->DrawTabs(true);
    EXPECT_THAT(PictureSources(rig.log), ElementsAre(HasSubstr(hovered), HasSubstr(selected)));
  }
}

TEST(TabPainterPictures, TrapezoidsReachFourteenPixelsLeftOfTheirTab) {
  TabPainterRig rig;
  rig.scene.width = 500;
  rig.scene.left_size = 0;
  rig.scene.LayOut({84, 84});  // Left 14 and 98
  rig.MakePainter();
  rig.MakeBuffers();
  rig.painter->DrawTabs(true);
  EXPECT_THAT(LinesContaining(rig.log, "<- scratch"),
              ElementsAre("transparent tabarea (84,0,98,25) <- scratch @(0,0) key rgb(255,0,255)",
                          "transparent tabarea (0,0,98,25) <- scratch @(0,0) key rgb(255,0,255)"));
}

TEST(TabPainterPictures, RoundedTabsFillTheirOwnWidthAndLeaveTheBottomRows) {
  TabPainterRig rig;
  rig.scene.SetStyle(2);
  rig.scene.width = 700;
  rig.scene.left_size = 10;
  rig.scene.LayOut({160, 160});  // Left 0 and 165
  rig.MakePainter();
  rig.MakeBuffers();
  rig.painter->DrawTabs(true);
  EXPECT_THAT(LinesContaining(rig.log, "<- scratch"),
              ElementsAre("transparent tabarea (165,0,160,26) <- scratch @(0,0) key rgb(255,0,255)",
                          "transparent tabarea (0,0,160,26) <- scratch @(0,0) key rgb(255,0,255)"));
}

struct CaptionCase {
  int style;
  bool selected;
  bool hide_button;
  const char* box;  // for a tab at Left 20 (style 0) or 20 (other), Width 150
};

class TabPainterCaptionBox : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(TabPainterCaptionBox, RoomDependsOnStyleSelectionAndButton) {
  const CaptionCase c = GetParam();
  TabPainterRig rig;
  rig.scene.SetStyle(c.style);
  rig.scene.width = 600;
  rig.scene.tabs = {TabPaintItem{20, 150, "cap", c.hide_button}};
  rig.scene.selected = c.selected ? 0 : -1;
  rig.MakePainter();
  rig.MakeBuffers();
  rig.painter->DrawTabs(true);
  EXPECT_THAT(LinesStartingWith(rig.log, "text tabarea \""),
              ElementsAre(std::string("text tabarea \"cap\" ") + c.box + " format 37"));
  EXPECT_EQ(CloseBoxes(rig.log).size(), c.hide_button ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, TabPainterCaptionBox,
    ::testing::Values(CaptionCase{0, false, false, "(20,0,112,25)"},  // Width - 38
                      CaptionCase{0, false, true, "(20,0,136,25)"},   // Width - 14
                      CaptionCase{0, true, false, "(20,0,124,25)"},   // Width - 26
                      CaptionCase{0, true, true, "(20,0,124,25)"},    // still Width - 26
                      CaptionCase{1, false, false, "(32,0,122,26)"},  // Left + 12, Width - 28
                      CaptionCase{1, false, true, "(32,0,142,26)"},   // Width - 8
                      CaptionCase{1, true, false, "(32,0,122,26)"},
                      CaptionCase{1, true, true, "(32,0,142,26)"}));

TEST(TabPainterCaptions, SelectedCaptionIsBoldAndBlueOthersThinAndBlack) {
  TabPainterRig rig;
  rig.scene.width = 600;
  rig.scene.LayOut({150, 150});
  rig.scene.tabs[0].caption = "first";
  rig.scene.tabs[1].caption = "second";
  rig.scene.selected = 0;
  rig.MakePainter();
  rig.MakeBuffers();
  rig.painter->DrawTabs(true);
  std::vector<std::string> state;
  for (const auto& line : rig.log) {
    if (line.rfind("font", 0) == 0 || line.rfind("textcolour", 0) == 0 ||
        line.rfind("text tabarea", 0) == 0) {
      state.push_back(line);
    }
  }
  EXPECT_THAT(state, ElementsAre("font tabarea 100", "textcolour tabarea rgb(0,0,0)",
                                 HasSubstr("\"second\""), "font tabarea 700",
                                 "textcolour tabarea rgb(4,96,163)", HasSubstr("\"first\"")));
}

TEST(TabPainterCaptions, ButtonlessTrapezoidGetsTwentyFourMorePixelsUnlessSelected) {
  // A caption 100 pixels wide on a tab 120 wide: it fits in Width - 14 but not in
  // Width - 38 or Width - 26.
  TabPainterRig rig;
  rig.canvas.measure = [](std::string_view) { return Size{100, 16}; };
  rig.scene.width = 600;
  rig.scene.tabs = {TabPaintItem{14, 120, "caption", true}};
  rig.MakePainter();
  rig.MakeBuffers();

  rig.painter->DrawTabs(true);
  EXPECT_THAT(LinesStartingWith(rig.log, "text tabarea \""),
              ElementsAre("text tabarea \"caption\" (14,0,106,25) format 37"));

  rig.log.clear();
  rig.scene.tabs[0].hide_button = false;
  rig.painter->DrawTabs(true);
  // Cut with an ellipsis, top at (25 - 16) / 2 = 4.5, rounded half to even.
  EXPECT_THAT(LinesStartingWith(rig.log, "text tabarea \""),
              ElementsAre("text tabarea \"caption\" (14,4,82,25) format 32768"));

  rig.log.clear();
  rig.scene.tabs[0].hide_button = true;
  rig.scene.selected = 0;
  rig.painter->DrawTabs(true);
  EXPECT_THAT(LinesStartingWith(rig.log, "text tabarea \""),
              ElementsAre("text tabarea \"caption\" (14,4,94,25) format 32768"));
}

TEST(TabPainterCaptions, EmptyCaptionIsStillMeasuredAndDrawn) {
  TabPainterRig rig;
  rig.scene.width = 300;
  rig.scene.LayOut({108});
  rig.MakePainter();
  rig.MakeBuffers();
  rig.painter->DrawTabs(true);
  EXPECT_THAT(LinesStartingWith(rig.log, "text tabarea \""),
              ElementsAre("text tabarea \"\" (14,0,70,25) format 37"));
  EXPECT_THAT(LinesStartingWith(rig.log, "fill"), IsEmpty());
}

}  // namespace
}  // namespace orvane::test
