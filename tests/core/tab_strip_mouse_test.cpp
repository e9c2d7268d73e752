// The strip under the mouse: press, move, release, leave and double-click sequences, the
// hover and close-box states and the events they raise.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/tab_strip_fakes.h"

namespace orvane::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Round style, left margin 10, six tabs of 160 pixels 5 apart.
class TabStripMouse : public ::testing::Test {
 protected:
  void SetUp() override { s.SetUp(1, 10, 0, 1000, 6); }
  // A point on tab `i`, away from its close box, and on its close box.
  static float OnTab(int i) { return 10.0f + 165.0f * i + 60.0f; }
  static float OnClose(int i) { return 10.0f + 165.0f * i + 160.0f - 14.0f; }
  StripFixtureState s;
};

TEST_F(TabStripMouse, ALeftPressSelectsTheTabAndRedrawsOnlyTheTabs) {
  s.strip->MouseDown(kLeftButton, 0, OnTab(2), 12);
  EXPECT_EQ(s.strip->Selected(), 2);
  EXPECT_THAT(
      s.log, ElementsAre("Fit 102 in 900", "DrawTabs", "TabChanged", "OnMouseDown 2 b1 s0 400,12"));
}

TEST_F(TabStripMouse, APressOnTheSelectedTabStillReportsTabChanged) {
  s.strip->MouseDown(kLeftButton, 0, OnTab(0), 12);
  s.log.clear();
  s.strip->MouseDown(kLeftButton, 2, OnTab(0), 12);
  EXPECT_THAT(s.log, ElementsAre("TabChanged", "OnMouseDown 0 b1 s2 70,12"));
}

TEST_F(TabStripMouse, OtherButtonsSelectNothingAndReportIndexZero) {
  s.strip->MouseDown(kRightButton, 0, 5, 12);  // in the margin
  s.strip->MouseDown(kMiddleButton, 0, OnTab(3), 12);
  EXPECT_EQ(s.strip->Selected(), 0);
  EXPECT_THAT(s.log, ElementsAre("OnMouseDown 0 b2 s0 5,12", "OnMouseDown 0 b4 s0 565,12"));
}

TEST_F(TabStripMouse, PressesOffTheTabsReportTheirPlace) {
  s.strip->MouseDown(kLeftButton, 0, 5, 12);
  s.strip->MouseDown(kLeftButton, 0, 10 + 162, 12);
  s.strip->MouseDown(kLeftButton, 0, 50, 28);
  EXPECT_THAT(s.log, ElementsAre("OnMouseDown -2 b1 s0 5,12", "OnMouseDown -1 b1 s0 172,12",
                                 "OnMouseDown -3 b1 s0 50,28"));
}

TEST_F(TabStripMouse, HoverChangesAreReportedOnceAndDrawOnlyTheTabs) {
  s.strip->MouseMove(0, 0, OnTab(1), 12);
  EXPECT_THAT(s.log, ElementsAre("Track", "OnMouseHover 1 b0 s0 235,12", "DrawTabs",
                                 "OnMouseMove 1 b0 s0 235,12"));
  EXPECT_EQ(s.strip->HoverIndex(), 1);
  s.log.clear();
  s.strip->MouseMove(0, 0, OnTab(1) + 10, 12);
  EXPECT_THAT(s.log, ElementsAre("Track", "OnMouseMove 1 b0 s0 245,12"));
  s.log.clear();
  s.strip->MouseMove(0, 0, OnClose(1), 12);
  EXPECT_EQ(s.strip->CloseState(), 1);
  EXPECT_THAT(s.log, ElementsAre("Track", "DrawTabs", "OnMouseMove 1 b0 s0 321,12"));
  s.log.clear();
  s.strip->MouseMove(0, 0, 3, 12);
  EXPECT_EQ(s.strip->HoverIndex(), -2);
  EXPECT_EQ(s.strip->CloseState(), 0);
  EXPECT_THAT(s.log, ElementsAre("Track", "OnMouseHover -2 b0 s0 3,12", "DrawTabs",
                                 "OnMouseMove -2 b0 s0 3,12"));
}

TEST_F(TabStripMouse, MovesWithAButtonHeldChangeNothing) {
  s.strip->MouseMove(0, 0, OnTab(1), 12);
  s.log.clear();
  s.strip->MouseMove(kLeftButton, 0, OnClose(4), 12);
  EXPECT_THAT(s.log, ElementsAre("OnMouseMove 0 b1 s0 816,12"));
  EXPECT_EQ(s.strip->HoverIndex(), 1);
  EXPECT_EQ(s.strip->CloseState(), 0);
}

TEST_F(TabStripMouse, HandlersSeeTheArgumentsByReference) {
  s.events.hover_moves_x = true;
  s.strip->MouseMove(0, 0, OnTab(1), 12);
  // The hover handler moved X; the move event that follows sees its change.
  EXPECT_THAT(s.log, ElementsAre("Track", "OnMouseHover 1 b0 s0 235,12", "DrawTabs",
                                 "OnMouseMove 1 b0 s0 1235,12"));
}

TEST_F(TabStripMouse, PressAndReleaseOnACloseBoxClosesTheTab) {
  s.strip->MouseMove(0, 0, OnClose(3), 12);
  s.strip->MouseDown(kLeftButton, 0, OnClose(3), 12);
  EXPECT_EQ(s.strip->CloseState(), 2);
  EXPECT_EQ(s.strip->Selected(), 0);  // a close box does not select
  s.log.clear();
  s.strip->MouseUp(kLeftButton, 0, OnClose(3), 12);
  EXPECT_THAT(s.log, ElementsAre("OnItemColose 3", "Fit 100 in 900", "DrawTabs", "page103.Unload",
                                 "DrawAll", "OnMouseUp 3 b1 s0 651,12"));
  EXPECT_EQ(s.items().Count(), 5);
  EXPECT_EQ(s.items().FindItem(s.pages[3]), -1);
  EXPECT_EQ(s.strip->CloseState(), 0);
  // The hover index still names position 3, now the next tab, until the pointer moves.
  EXPECT_EQ(s.strip->HoverIndex(), 3);
}

TEST_F(TabStripMouse, APressOnTheCloseBoxShowsThePressedPictureOnce) {
  s.strip->MouseMove(0, 0, OnClose(3), 12);
  s.log.clear();
  s.strip->MouseDown(kLeftButton, 0, OnClose(3), 12);
  EXPECT_THAT(s.log, ElementsAre("DrawTabs", "TabChanged", "OnMouseDown 3 b1 s0 651,12"));
  s.log.clear();
  s.strip->MouseDown(kLeftButton, 0, OnClose(3), 12);
  EXPECT_THAT(s.log, ElementsAre("TabChanged", "OnMouseDown 3 b1 s0 651,12"));
}

TEST_F(TabStripMouse, ReleasingElsewhereClosesNothing) {
  s.strip->MouseMove(0, 0, OnClose(3), 12);
  s.strip->MouseDown(kLeftButton, 0, OnClose(3), 12);
  s.strip->MouseMove(kLeftButton, 0, OnTab(3), 12);
  s.log.clear();
  s.strip->MouseUp(kLeftButton, 0, OnTab(3), 12);
  EXPECT_THAT(s.log, ElementsAre("DrawAll", "OnMouseUp 3 b1 s0 565,12"));
  EXPECT_EQ(s.items().Count(), 6);
  EXPECT_EQ(s.strip->CloseState(), 0);
}

TEST_F(TabStripMouse, ReleasingOnAnotherTabsCloseBoxClosesNothing) {
  s.strip->MouseMove(0, 0, OnTab(2), 12);
  s.strip->MouseDown(kLeftButton, 0, OnTab(2), 12);
  s.strip->MouseMove(kLeftButton, 0, OnClose(4), 12);
  s.strip->MouseUp(kLeftButton, 0, OnClose(4), 12);
  EXPECT_EQ(s.items().Count(), 6);
}

TEST_F(TabStripMouse, ThePressMayBeAnywhereOnTheTabWhoseCloseBoxIsReleasedOn) {
  s.strip->MouseMove(0, 0, OnTab(2), 12);
  s.strip->MouseDown(kLeftButton, 0, OnTab(2), 12);
  s.strip->MouseMove(kLeftButton, 0, OnClose(2), 12);
  s.strip->MouseUp(kLeftButton, 0, OnClose(2), 12);
  EXPECT_EQ(s.items().Count(), 5);
  EXPECT_EQ(s.pages[2]->unload_calls, 1);
}

TEST_F(TabStripMouse, ATabWithoutButtonIsNeverClosedByTheMouse) {
  s.items().Item(3)->SetHideButton(true);
  s.strip->MouseMove(0, 0, OnClose(3), 12);
  EXPECT_EQ(s.strip->CloseState(), 0);
  s.strip->MouseDown(kLeftButton, 0, OnClose(3), 12);
  s.strip->MouseUp(kLeftButton, 0, OnClose(3), 12);
  EXPECT_EQ(s.items().Count(), 6);
  EXPECT_EQ(s.strip->Selected(), 3);  // a press there is a press on the tab
}

TEST_F(TabStripMouse, TheHostMayRefuseTheClose) {
  s.events.refuse_close = true;
  s.strip->MouseMove(0, 0, OnClose(5), 12);
  s.strip->MouseDown(kLeftButton, 0, OnClose(5), 12);
  s.log.clear();
  s.strip->MouseUp(kLeftButton, 0, OnClose(5), 12);
  EXPECT_THAT(s.log, ElementsAre("OnItemColose 5", "DrawAll", "OnMouseUp 5 b1 s0 981,12"));
  EXPECT_EQ(s.items().Count(), 6);
}

TEST_F(TabStripMouse, LeavingResetsTheHoverOnly) {
  s.strip->MouseMove(0, 0, OnClose(1), 12);
  s.strip->MouseDown(kLeftButton, 0, OnClose(1), 12);
  s.log.clear();
  s.strip->MouseLeave();
  EXPECT_THAT(s.log, ElementsAre("DrawTabs", "OnMouseLeave"));
  EXPECT_EQ(s.strip->HoverIndex(), -1);
  EXPECT_EQ(s.strip->CloseState(), 2);
  s.log.clear();
  s.strip->MouseLeave();
  EXPECT_THAT(s.log, ElementsAre("OnMouseLeave"));
  s.strip->MouseUp(kLeftButton, 0, 900, 40);
  EXPECT_EQ(s.strip->CloseState(), 0);
}

TEST_F(TabStripMouse, OtherButtonsReleaseWithoutAnyEffect) {
  s.strip->MouseMove(0, 0, OnClose(1), 12);
  s.strip->MouseDown(kLeftButton, 0, OnClose(1), 12);
  s.log.clear();
  s.strip->MouseUp(kRightButton, 0, OnClose(1), 12);
  EXPECT_THAT(s.log, ElementsAre("OnMouseUp 0 b2 s0 321,12"));
  EXPECT_EQ(s.strip->CloseState(), 2);
  EXPECT_EQ(s.items().Count(), 6);
}

TEST_F(TabStripMouse, ADoubleClickRepeatsThePressAtItsRecordedPlace) {
  s.strip->MouseDown(kLeftButton, 1, OnTab(4), 9);
  s.strip->MouseUp(kLeftButton, 1, OnTab(4), 9);
  s.log.clear();
  s.strip->DblClick();
  EXPECT_THAT(s.log,
              ElementsAre("TabChanged", "OnMouseDown 4 b1 s1 730,9", "OnDblClick 4 b1 s1 730,9"));
}

TEST_F(TabStripMouse, ADoubleClickAfterARightPressReportsTheHitButSelectsNothing) {
  s.strip->MouseDown(kRightButton, 0, OnTab(4), 9);
  s.log.clear();
  s.strip->DblClick();
  EXPECT_THAT(s.log, ElementsAre("OnMouseDown 0 b2 s0 730,9", "OnDblClick 4 b2 s0 730,9"));
  EXPECT_EQ(s.strip->Selected(), 0);
}

TEST_F(TabStripMouse, NoEventsWithoutAHost) {
  s.strip->SetEvents(nullptr);
  s.strip->MouseMove(0, 0, OnClose(1), 12);
  s.strip->MouseDown(kLeftButton, 0, OnClose(1), 12);
  s.strip->MouseUp(kLeftButton, 0, OnClose(1), 12);
  s.strip->MouseLeave();
  EXPECT_EQ(s.items().Count(), 5);  // nobody refused
  EXPECT_THAT(s.log, ::testing::Not(::testing::Contains(::testing::HasSubstr("On"))));
}

}  // namespace
}  // namespace orvane::testing
