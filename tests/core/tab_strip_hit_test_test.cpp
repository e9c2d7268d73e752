// What lies under the pointer: outside, margins, the first tab's grip, tabs, gaps and
// close boxes.
#include <gtest/gtest.h>

#include "core/tab_strip_fakes.h"

namespace orvane::testing {
namespace {

class TabStripHitTest : public ::testing::Test {
 protected:
  TabHit Hit(float x, float y) { return s.strip->HitTest(x, y); }
  StripFixtureState s;
};

TEST_F(TabStripHitTest, OutsideTheStripAndBelowY25) {
  s.SetUp(1, 10, 20, 1000, 2);
  EXPECT_EQ(Hit(-1, 10).index, -3);
  EXPECT_EQ(Hit(1001, 10).index, -3);
  EXPECT_EQ(Hit(50, -1).index, -3);
  for (int y = 26; y <= 31; ++y) {
    EXPECT_EQ(Hit(50, y).index, -3) << y;  // inside the 32-pixel strip all the same
  }
  EXPECT_EQ(Hit(50, 25).index, 0);
  EXPECT_EQ(Hit(50, 25.5f).index, -3);  // 25.5 rounds to 26
  EXPECT_EQ(Hit(50, 25.4f).index, 0);
  EXPECT_EQ(Hit(50, -0.5f).index, 0);  // -0.5 rounds to 0
}

TEST_F(TabStripHitTest, Margins) {
  s.SetUp(1, 10, 20, 1000, 6);
  EXPECT_EQ(Hit(9, 10).index, -2);
  EXPECT_EQ(Hit(0, 10).index, -2);
  EXPECT_EQ(Hit(981, 10).index, -2);
  EXPECT_EQ(Hit(1000, 10).index, -2);
  EXPECT_EQ(Hit(980, 10).index, -1);  // the area's last column, past the last tab
  EXPECT_EQ(Hit(10 + 5 * 162 + 50, 10).index, 5);
  EXPECT_EQ(Hit(10, 10).index, 0);
}

TEST_F(TabStripHitTest, NoTabsGiveMinusOneInTheArea) {
  s.SetUp(0, 40, 0, 500, 0);
  EXPECT_EQ(Hit(45, 10), (TabHit{-1, false}));
  EXPECT_EQ(Hit(20, 10).index, -2);
}

TEST_F(TabStripHitTest, TheFirstFifteenPixelsAlwaysHitTheFirstTab) {
  s.SetUp(0, 40, 0, 500, 2);
  // Put the first tab far away and give it a close box under the grip: still tab 0, and
  // never its close box.
  s.items().Item(0)->SetLeft(300);
  s.items().Item(0)->SetWidth(20);
  for (int rx = 0; rx <= 14; ++rx) {
    for (int y : {0, 6, 12, 18, 25}) {
      EXPECT_EQ(Hit(40 + rx, y), (TabHit{0, false})) << rx << "," << y;
    }
  }
  EXPECT_EQ(Hit(40 + 15, 10).index, -1);  // tab 0 moved away, tab 1 starts at 122
}

TEST_F(TabStripHitTest, RoundStyleGapsHitNoTab) {
  s.SetUp(1, 10, 0, 1000, 6);  // tabs 160 wide, 5 apart: tab 0 covers rx 0..160
  EXPECT_EQ(Hit(10 + 160, 3).index, 0);
  for (int rx = 161; rx <= 164; ++rx) {
    EXPECT_EQ(Hit(10 + rx, 3), (TabHit{-1, false})) << rx;
  }
  EXPECT_EQ(Hit(10 + 165, 3).index, 1);
  EXPECT_EQ(Hit(10 + 985, 3).index, 5);
  EXPECT_EQ(Hit(10 + 986, 3).index, -1);  // past the last tab, inside the area
}

TEST_F(TabStripHitTest, TrapezoidNeighboursShareAnEdgeThatTheLowerTabWins) {
  s.SetUp(0, 40, 0, 223, 2);  // Left 14 and 98, width 84
  EXPECT_EQ(Hit(40 + 98, 3).index, 0);
  EXPECT_EQ(Hit(40 + 99, 3).index, 1);
  EXPECT_EQ(Hit(40 + 182, 3).index, 1);
  EXPECT_EQ(Hit(40 + 183, 3).index, -1);  // the strip's right edge, past the last tab
}

TEST_F(TabStripHitTest, TrapezoidCloseBoxIsInclusiveAtEveryEdge) {
  s.SetUp(0, 40, 0, 400, 2);  // (360 - 14) / 2 capped at 108: tab 1 covers 122..230
  const int right = 40 + 122 + 108;
  EXPECT_EQ(Hit(right - 24, 6), (TabHit{1, true}));
  EXPECT_EQ(Hit(right - 12, 18), (TabHit{1, true}));
  EXPECT_EQ(Hit(right - 25, 12), (TabHit{1, false}));
  EXPECT_EQ(Hit(right - 11, 12), (TabHit{1, false}));
  EXPECT_EQ(Hit(right - 18, 5), (TabHit{1, false}));
  EXPECT_EQ(Hit(right - 18, 19), (TabHit{1, false}));
}

TEST_F(TabStripHitTest, RoundCloseBoxIsInclusiveAtEveryEdge) {
  s.SetUp(1, 10, 0, 1000, 6);
  const int right = 10 + 165 + 160;  // tab 1
  EXPECT_EQ(Hit(right - 20, 7), (TabHit{1, true}));
  EXPECT_EQ(Hit(right - 8, 19), (TabHit{1, true}));
  EXPECT_EQ(Hit(right - 21, 10), (TabHit{1, false}));
  EXPECT_EQ(Hit(right - 7, 10), (TabHit{1, false}));
  EXPECT_EQ(Hit(right - 10, 6), (TabHit{1, false}));
  EXPECT_EQ(Hit(right - 10, 20), (TabHit{1, false}));
}

TEST_F(TabStripHitTest, AHiddenButtonHasNoCloseBox) {
  s.SetUp(1, 10, 0, 1000, 6);
  s.items().Item(1)->SetHideButton(true);
  EXPECT_EQ(Hit(10 + 165 + 160 - 14, 12), (TabHit{1, false}));
}

TEST_F(TabStripHitTest, TheStyleDecidesTheCloseBox) {
  s.SetUp(1, 10, 0, 1000, 6);
  const int right = 10 + 165 + 160;
  EXPECT_TRUE(Hit(right - 8, 7).over_close);
  s.strip->SetTabStyle(0);  // stored only; the tabs keep their places until a resize
  EXPECT_FALSE(Hit(right - 8, 7).over_close);
  EXPECT_TRUE(Hit(right - 12, 6).over_close);
}

}  // namespace
}  // namespace orvane::testing
