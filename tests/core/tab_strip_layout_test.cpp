// Where the tabs go: shared widths, locked tabs, rounding, the lower bound, and when a
// layout happens at all.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/tab_strip_fakes.h"
#include "tabstrip/tab_layout.h"

namespace orvane::testing {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;

class TabStripLayout : public ::testing::Test {
 protected:
  StripFixtureState s;
};

TEST_F(TabStripLayout, RoundStyleCapsTheSharedWidthAtTheStandardWidth) {
  s.SetUp(1, 10, 0, 1000, 4);  // (990 - 20) / 4 = 242.5
  EXPECT_EQ(s.strip->AutoWidth(), 200);
  EXPECT_THAT(s.Widths(), Each(200));
  EXPECT_THAT(s.Lefts(), ElementsAre(0, 205, 410, 615));
}

TEST_F(TabStripLayout, RoundStyleSharesTheAreaAmongSixTabs) {
  s.SetUp(1, 10, 0, 1000, 6);  // (990 - 30) / 6 = 160
  EXPECT_EQ(s.strip->AutoWidth(), 160);
  EXPECT_THAT(s.Widths(), Each(160));
  EXPECT_THAT(s.Lefts(), ElementsAre(0, 165, 330, 495, 660, 825));
}

TEST_F(TabStripLayout, TrapezoidStyleRoundsHalfToEven) {
  s.SetUp(0, 40, 0, 223, 2);  // (183 - 14) / 2 = 84.5
  EXPECT_EQ(s.strip->AutoWidth(), 84);
  EXPECT_THAT(s.Lefts(), ElementsAre(14, 98));
  EXPECT_THAT(s.Widths(), ElementsAre(84, 84));
  s.strip->Resize(340);  // (300 - 14) / 4 -> 71.5 with four tabs
  s.AddTabs(2);
  EXPECT_EQ(s.strip->AutoWidth(), 72);
  EXPECT_THAT(s.Lefts(), ElementsAre(14, 86, 158, 230));
}

TEST_F(TabStripLayout, LockedTabsKeepTheStandardWidth) {
  s.SetUp(1, 0, 0, 600, 0);
  s.AddTabs(3);
  s.items().Item(0)->SetLockSize(true);
  s.strip->Resize(600);  // (600 - 200 - 15) / 2 = 192.5
  EXPECT_EQ(s.strip->AutoWidth(), 192);
  EXPECT_THAT(s.Lefts(), ElementsAre(0, 205, 402));
  EXPECT_THAT(s.Widths(), ElementsAre(200, 192, 192));
}

TEST_F(TabStripLayout, AllLockedOrNoTabsGiveTheStandardWidth) {
  s.SetUp(0, 40, 20, 200, 0);
  EXPECT_EQ(s.strip->AutoWidth(), 108);
  s.AddTabs(2);
  s.items().Item(0)->SetLockSize(true);
  s.items().Item(1)->SetLockSize(true);
  s.strip->Resize(200);
  EXPECT_EQ(s.strip->AutoWidth(), 108);
  EXPECT_THAT(s.Lefts(), ElementsAre(14, 122));
  EXPECT_THAT(s.Widths(), ElementsAre(108, 108));
}

TEST_F(TabStripLayout, TheRightMarginNarrowsTheArea) {
  s.SetUp(1, 10, 100, 1100, 6);
  EXPECT_EQ(s.strip->AutoWidth(), 160);
}

TEST_F(TabStripLayout, ManyTabsStopAtTheLowerBound) {
  s.SetUp(0, 40, 0, 340, 10);  // (300 - 14) / 10 = 28.6
  EXPECT_EQ(s.strip->AutoWidth(), 48);
  EXPECT_EQ(s.Lefts().back(), 14 + 9 * 48);
  s.Recreate();
  s.SetUp(1, 10, 0, 1000, 20);  // (990 - 100) / 20 = 44.5: above the bound
  EXPECT_EQ(s.strip->AutoWidth(), 44);
  s.AddTabs(10);  // (990 - 150) / 30 = 28
  EXPECT_EQ(s.strip->AutoWidth(), 38);
  EXPECT_EQ(s.Lefts()[29], 29 * 43);
}

TEST_F(TabStripLayout, AStripWithNoRoomStillGivesDrawableTabs) {
  s.SetUp(1, 10, 0, 0, 3);  // tab area -10
  EXPECT_EQ(s.strip->AutoWidth(), 38);
  s.Recreate();
  s.SetUp(0, 40, 0, 40, 3);
  EXPECT_EQ(s.strip->AutoWidth(), 48);
  EXPECT_THAT(s.Widths(), Each(48));
}

TEST_F(TabStripLayout, NothingIsLaidOutBeforeDrawingIsUnlocked) {
  s.strip->SetTabStyle(1);
  s.strip->SetTabLeftSize(10);
  s.strip->SethContainerWnd(900);
  s.strip->Resize(1000);
  s.AddTabs(3);
  EXPECT_THAT(s.Lefts(), Each(0));
  EXPECT_THAT(s.Widths(), Each(0));
  EXPECT_EQ(s.strip->AutoWidth(), 108);
  s.strip->LockReDraw(false);
  EXPECT_THAT(s.Lefts(), ElementsAre(0, 205, 410));
  EXPECT_THAT(s.Widths(), Each(200));
}

TEST_F(TabStripLayout, LockSizeShowsOnlyAtTheNextLayout) {
  s.SetUp(1, 10, 0, 1000, 6);
  s.items().Item(2)->SetLockSize(true);
  EXPECT_THAT(s.log, ElementsAre("DrawAll"));
  EXPECT_THAT(s.Widths(), Each(160));
  s.strip->Resize(1000);  // (990 - 200 - 30) / 5 = 152
  EXPECT_THAT(s.Widths(), ElementsAre(152, 152, 200, 152, 152, 152));
  EXPECT_THAT(s.Lefts(), ElementsAre(0, 157, 314, 519, 676, 833));
}

TEST_F(TabStripLayout, SettingsShowAtTheNextResize) {
  s.SetUp(1, 10, 0, 1000, 6);
  s.strip->SetTabStyle(0);
  s.strip->SetTabLeftSize(40);
  EXPECT_THAT(s.Lefts()[1], 165);
  EXPECT_TRUE(s.log.empty());
  s.strip->Resize(1000);  // (960 - 14) / 6 = 157.67 -> capped at 108
  EXPECT_THAT(s.Widths(), Each(108));
  EXPECT_THAT(s.Lefts(), ElementsAre(14, 122, 230, 338, 446, 554));
}

TEST(TabLayoutFunction, WorksOnAnyCollection) {
  Log log;
  FakeWindowOps ops(log);
  CTabItems items(ops);
  items.Add("a", std::make_shared<FakePage>(log, 1));
  items.Add("b", std::make_shared<FakePage>(log, 2));
  EXPECT_EQ(LayoutTabs(items, 0, 223, 40, 0), 84);
  EXPECT_EQ(items.Item(1)->Left(), 98);
  EXPECT_EQ(LayoutTabs(items, 7, 1000, 10, 0), 200);
  EXPECT_EQ(items.Item(1)->Left(), 205);
}

}  // namespace
}  // namespace orvane::testing
