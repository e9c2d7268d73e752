// Selection, hosting of the pages in the container, removals, drawing control and the
// strip's own resize.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/tab_strip_fakes.h"

namespace orvane::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class TabStripSelection : public ::testing::Test {
 protected:
  StripFixtureState s;
};

TEST_F(TabStripSelection, ANewStripIsEmptyAndDrawsNothing) {
  EXPECT_EQ(s.strip->Selected(), -1);
  EXPECT_EQ(s.strip->HoverIndex(), -1);
  EXPECT_EQ(s.strip->CloseState(), 0);
  EXPECT_EQ(s.strip->TabStyle(), 0);
  EXPECT_EQ(s.strip->TabLeftSize(), 40);
  EXPECT_EQ(s.strip->TabRightSize(), 0);
  EXPECT_EQ(s.strip->hContainerWnd(), 0u);
  EXPECT_FALSE(s.strip->DrawingEnabled());
  s.strip->Resize(500);
  s.strip->refresh();
  s.strip->SetSelected(-3);
  EXPECT_THAT(s.log, ElementsAre("Height 25", "CreateBuffers"));
}

TEST_F(TabStripSelection, UnlockingLaysOutAndDrawsEverythingLockingOnlyStops) {
  s.strip->Resize(500);
  s.log.clear();
  s.strip->LockReDraw(false);
  EXPECT_THAT(s.log, ElementsAre("DrawAll"));
  s.log.clear();
  s.strip->LockReDraw(true);
  s.strip->refresh();
  s.AddTabs(1);
  EXPECT_THAT(s.log, ElementsAre("GetStyle 100", "page100.Initialize", "page100.Initialize",
                                 "Activate 500"));
}

TEST_F(TabStripSelection, AddingHostsThePageTwiceAndRepairsOnlyAnInvalidSelection) {
  s.SetUp(1, 10, 0, 1000, 0);
  s.AddTabs(1);
  EXPECT_THAT(s.log,
              ElementsAre("GetStyle 100", "page100.Initialize", "DrawAll", "page100.Initialize",
                          "Host 100 in 900", "Host 100 in 900", "DrawTabs", "Activate 500"));
  // The first tab is selected, but its page stays hidden until the next fit.
  EXPECT_EQ(s.strip->Selected(), 0);
  s.log.clear();
  s.AddTabs(1);
  EXPECT_EQ(s.strip->Selected(), 0);
  EXPECT_THAT(s.log, ::testing::Contains("Fit 100 in 900"));  // the new page's ChangeForm
}

TEST_F(TabStripSelection, WritingSelectedFitsThePageAndRedrawsEverything) {
  s.SetUp(1, 10, 0, 1000, 3);
  s.strip->SetSelected(2);
  EXPECT_THAT(s.log, ElementsAre("Fit 102 in 900", "DrawAll"));
  EXPECT_EQ(s.items().Selected(), 2);
  s.log.clear();
  s.strip->SetSelected(5);  // out of range: ignored
  EXPECT_THAT(s.log, IsEmpty());
  EXPECT_EQ(s.strip->Selected(), 2);
  s.strip->SetSelected(3);
  EXPECT_EQ(s.strip->Selected(), 2);
  s.strip->SetSelected(-7);  // none; the page stays where it is
  EXPECT_EQ(s.strip->Selected(), -1);
  EXPECT_THAT(s.log, ElementsAre("DrawAll"));
  s.items().SetSelected(1);
  EXPECT_EQ(s.strip->Selected(), 1);
}

TEST_F(TabStripSelection, RemovingTheSelectedTabSelectsTheFirst) {
  s.SetUp(1, 10, 0, 1000, 4);
  s.strip->SetSelected(2);
  s.log.clear();
  s.items().Remove(2, true);
  EXPECT_EQ(s.strip->Selected(), 0);
  EXPECT_THAT(s.log, ElementsAre("OnItemColose 2", "Fit 100 in 900", "DrawTabs", "page102.Unload"));
}

TEST_F(TabStripSelection, RemovingATabBeforeTheSelectedOneKeepsTheSameTab) {
  s.SetUp(1, 10, 0, 1000, 4);
  s.strip->SetSelected(2);
  s.items().Remove(0, true);
  EXPECT_EQ(s.strip->Selected(), 1);
  EXPECT_EQ(s.items().Item(1)->Form(), s.pages[2]);
  s.items().Remove(2, true);  // after it: nothing changes
  EXPECT_EQ(s.strip->Selected(), 1);
  // The layout follows every removal.
  EXPECT_THAT(s.Lefts(), ElementsAre(0, 205));
}

TEST_F(TabStripSelection, RemovingTheLastTabLeavesSelectionZero) {
  s.SetUp(1, 10, 0, 1000, 1);
  s.strip->SetSelected(0);
  s.items().Remove(0, true);
  EXPECT_EQ(s.strip->Selected(), 0);
  EXPECT_EQ(s.items().Count(), 0);
  s.log.clear();
  s.AddTabs(1);
  EXPECT_EQ(s.strip->Selected(), 0);
  // Hosted, but not shown: no fit yet.
  EXPECT_THAT(s.log, ::testing::Not(::testing::Contains(::testing::HasSubstr("Fit"))));
  s.log.clear();
  s.strip->ContainerResized();
  EXPECT_THAT(s.log, ElementsAre("Fit 101 in 900"));
}

TEST_F(TabStripSelection, ClearSelectsZeroWithoutAsking) {
  s.SetUp(1, 10, 0, 1000, 3);
  s.strip->SetSelected(2);
  s.events.refuse_close = true;
  s.log.clear();
  s.items().Clear();
  EXPECT_THAT(s.log, ElementsAre("page100.Unload", "page101.Unload", "page102.Unload", "DrawTabs"));
  EXPECT_EQ(s.strip->Selected(), 0);
}

TEST_F(TabStripSelection, TheContainerIsWatchedAndThePagesKeptInIt) {
  s.strip->SethContainerWnd(901);
  EXPECT_THAT(s.log, ElementsAre("Watch 901"));
  EXPECT_EQ(s.strip->hContainerWnd(), 901u);
  s.strip->ContainerResized();  // no tab selected: nothing to fit
  EXPECT_THAT(s.log, ElementsAre("Watch 901"));
}

TEST_F(TabStripSelection, WithoutAContainerPagesAreNotTakenIn) {
  s.strip->LockReDraw(false);
  s.AddTabs(1);
  s.strip->SetSelected(0);
  EXPECT_THAT(s.log, ::testing::Not(::testing::Contains(::testing::HasSubstr("Host"))));
  EXPECT_THAT(s.log, ::testing::Not(::testing::Contains(::testing::HasSubstr("Fit"))));
}

TEST_F(TabStripSelection, ANewPageForATabIsHostedAndTheSelectedOneShown) {
  s.SetUp(1, 10, 0, 1000, 2);
  s.strip->SetSelected(1);
  s.log.clear();
  s.items().Item(1)->SetForm(s.NewPage());
  EXPECT_THAT(s.log, ElementsAre("page102.Initialize", "Host 102 in 900", "Fit 102 in 900"));
}

TEST_F(TabStripSelection, OwnResizeRunsEveryStepEvenAfterAFailure) {
  s.SetUp(1, 10, 0, 1000, 2);
  s.painter->fail_buffers = true;
  s.strip->Resize(300);
  EXPECT_THAT(s.log, ElementsAre("Height 32", "CreateBuffers", "DrawAll"));
  EXPECT_EQ(s.strip->AutoWidth(), 140);  // (290 - 10) / 2
  EXPECT_EQ(s.strip->StripWidth(), 300);
  EXPECT_EQ(s.strip->StripHeight(), 32);
}

TEST_F(TabStripSelection, APictureThatCannotBeDrawnStopsNothing) {
  s.SetUp(1, 10, 0, 1000, 2);
  s.painter->fail_drawing = true;
  EXPECT_NO_THROW(s.AddTabs(1));
  EXPECT_EQ(s.items().Count(), 3);
  EXPECT_NO_THROW(s.strip->SetSelected(2));
  EXPECT_EQ(s.strip->Selected(), 2);
  EXPECT_NO_THROW(s.strip->MouseMove(0, 0, 10 + 165 * 1 + 60, 12));
  EXPECT_EQ(s.strip->HoverIndex(), 1);
  EXPECT_NO_THROW(s.items().Item(0)->SetCaption("x"));
  EXPECT_NO_THROW(s.items().Remove(0, true));
  EXPECT_EQ(s.strip->Selected(), 1);
}

TEST_F(TabStripSelection, ItemChangesRedrawEverything) {
  s.SetUp(1, 10, 0, 1000, 2);
  s.items().Item(0)->SetCaption("title");
  s.strip->refresh();
  EXPECT_THAT(s.log, ElementsAre("DrawAll", "DrawAll"));
}

TEST_F(TabStripSelection, RefreshPageReloadsTheSelectedPageOnly) {
  s.SetUp(1, 10, 0, 1000, 2);
  s.strip->SetSelected(-1);
  s.strip->RefreshPage();
  EXPECT_EQ(s.pages[0]->refresh_calls + s.pages[1]->refresh_calls, 0);
  s.strip->SetSelected(1);
  s.strip->RefreshPage();
  EXPECT_EQ(s.pages[1]->refresh_calls, 1);
  EXPECT_EQ(s.pages[0]->refresh_calls, 0);
}

TEST_F(TabStripSelection, TheStripAnswersForTheCollection) {
  s.SetUp(1, 10, 0, 1000, 1);
  IuTab& tab = *s.pages[0]->implement;
  EXPECT_EQ(&tab.TabItems(), &s.items());
  EXPECT_EQ(tab.hWnd(), 500u);
  EXPECT_EQ(tab.hParent(), 600u);
  EXPECT_EQ(tab.Control(), s.strip.get());
  s.host.parent = 0;
  EXPECT_EQ(tab.hParent(), 0u);
}

TEST_F(TabStripSelection, ThePainterReadsTheTabs) {
  s.SetUp(1, 10, 0, 1000, 2);
  s.items().Item(1)->SetHideButton(true);
  s.items().Item(1)->SetCaption("游戏");
  const TabPaintItem tab = s.strip->TabAt(1);
  EXPECT_EQ(tab.left, 205);
  EXPECT_EQ(tab.width, 200);
  EXPECT_EQ(tab.caption, "游戏");
  EXPECT_TRUE(tab.hide_button);
  EXPECT_EQ(s.strip->TabAt(2).caption, "");
  EXPECT_EQ(s.strip->TabCount(), 2);
}

TEST_F(TabStripSelection, TheStripsEndUnloadsThePagesBeforeItsDrawingResources) {
  s.SetUp(1, 10, 0, 1000, 2);
  s.strip.reset();
  EXPECT_THAT(s.log, ElementsAre("page100.Unload", "page101.Unload", "painter gone"));
}

}  // namespace
}  // namespace orvane::testing
