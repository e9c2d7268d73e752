// Taking tabs out: Remove with the owner's consent, Clear, ReleaseForm and the end of the
// collection.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/tab_model_fakes.h"

namespace orvane::testing {
namespace {

using ::testing::ElementsAre;

class TabModelRemove : public ::testing::Test {
 protected:
  ModelFixtureState s;
};

TEST_F(TabModelRemove, AsksTheOwnerThenRemovesThenUnloads) {
  s.AddTabs(3);
  auto item = s.items().Item(1);
  EXPECT_TRUE(s.items().Remove("K1", true));
  EXPECT_THAT(s.log,
              ElementsAre("strip.BeforeRemove 1", "strip.Remove 1 count 2", "page101.Unload"));
  EXPECT_EQ(s.items().Count(), 2);
  EXPECT_EQ(s.items().FindItem("k1"), -1);
  EXPECT_EQ(s.items().Item(1)->Caption(), "c2");
  EXPECT_EQ(item->Owner(), nullptr);
}

TEST_F(TabModelRemove, WithoutUnloadLeavesThePageLoaded) {
  s.AddTabs(2);
  EXPECT_TRUE(s.items().Remove(s.pages[0], false));
  EXPECT_EQ(s.pages[0]->unload_calls, 0);
  EXPECT_EQ(s.items().Count(), 1);
  EXPECT_TRUE(s.pages[0]->item.expired());
}

TEST_F(TabModelRemove, ARefusedRemovalChangesNothing) {
  s.AddTabs(3);
  s.strip->selected = 2;
  s.strip->allow_remove = false;
  EXPECT_FALSE(s.items().Remove(2, true));
  EXPECT_THAT(s.log, ElementsAre("strip.BeforeRemove 2"));
  EXPECT_EQ(s.items().Count(), 3);
  EXPECT_EQ(s.items().Selected(), 2);
  EXPECT_EQ(s.pages[2]->unload_calls, 0);
  EXPECT_EQ(s.items().Item(2)->Form(), s.pages[2]);
}

TEST_F(TabModelRemove, AnIndexNamingNoTabRemovesNothing) {
  s.AddTabs(2);
  EXPECT_FALSE(s.items().Remove(2, true));
  EXPECT_FALSE(s.items().Remove("nope", true));
  EXPECT_FALSE(s.items().Remove(s.NewPage(), true));
  EXPECT_TRUE(s.log.empty());
  EXPECT_EQ(s.items().Count(), 2);
}

// An owner whose close question lets its host empty the list, as a main window does when
// the last tab's close box closes the whole window.
class ClearingStrip : public FakeStrip {
 public:
  using FakeStrip::FakeStrip;
  bool BeforeRemove(std::int32_t) override {
    TabItems().Clear();
    return true;
  }
};

TEST(TabModelRemoveReentry, ATabThatVanishedDuringTheQuestionIsNotRemovedTwice) {
  Log log;
  FakeWindowOps ops(log);
  auto page = std::make_shared<FakePage>(log, 1);
  ClearingStrip strip(log, ops);
  strip.TabItems().Add("only", page);
  EXPECT_FALSE(strip.TabItems().Remove(0, true));
  EXPECT_EQ(strip.TabItems().Count(), 0);
  EXPECT_EQ(page->unload_calls, 1);
}

TEST_F(TabModelRemove, ClearUnloadsEveryPageWithoutAsking) {
  s.AddTabs(3);
  s.strip->allow_remove = false;
  s.items().Clear();
  EXPECT_THAT(s.log, ElementsAre("page100.Unload", "page101.Unload", "page102.Unload",
                                 "strip.Clear count 0"));
  EXPECT_EQ(s.items().Count(), 0);
  for (const auto& page : s.pages) {
    EXPECT_TRUE(page->item.expired());
  }
}

TEST_F(TabModelRemove, TheEndOfTheCollectionUnloadsEveryPage) {
  s.AddTabs(3);
  auto survivor = s.items().Item(1);
  s.strip.reset();
  EXPECT_THAT(s.log, ElementsAre("page100.Unload", "page101.Unload", "page102.Unload"));
  // Items still held by someone no longer reach the strip that ended.
  EXPECT_EQ(survivor->Owner(), nullptr);
  survivor->SetCaption("late");
}

TEST_F(TabModelRemove, BackReferencesKeepNothingAlive) {
  s.AddTabs(1);
  std::weak_ptr<FakePage> page = s.pages[0];
  std::weak_ptr<CTabItem> item = s.items().Item(0);
  s.pages.clear();
  EXPECT_FALSE(page.expired());  // the item holds its page
  s.items().Remove(0, true);
  EXPECT_TRUE(item.expired());
  EXPECT_TRUE(page.expired());
}

TEST_F(TabModelRemove, ReleaseFormGivesThePageBackCentred) {
  s.AddTabs(2);
  const WindowHandle window = s.pages[1]->hWnd();
  s.items().Item(1)->SetSavedStyle(0x16CF0000);
  s.ops.rects[window] = Rect{5, 5, 301, 200};
  s.ops.screen = Size{1024, 769};
  s.log.clear();
  auto page = s.items().ReleaseForm("k1");
  EXPECT_EQ(page, s.pages[1]);
  // (1024 - 301) / 2 = 361.5 -> 362; (769 - 200) / 2 = 284.5 -> 284
  EXPECT_THAT(s.log, ElementsAre("strip.BeforeRemove 1", "strip.Remove 1 count 1", "TopLevel 101",
                                 "ScreenSize", "WindowRect 101", "SetStyle 101 382664704",
                                 "Place 101 362,284", "Repaint 600"));
  EXPECT_EQ(s.pages[1]->unload_calls, 0);
  EXPECT_EQ(s.items().Count(), 1);
}

TEST_F(TabModelRemove, ReleaseFormStopsWhenTheOwnerRefuses) {
  s.AddTabs(2);
  s.strip->allow_remove = false;
  EXPECT_EQ(s.items().ReleaseForm(0), nullptr);
  EXPECT_THAT(s.log, ElementsAre("strip.BeforeRemove 0"));
  EXPECT_EQ(s.items().Count(), 2);
}

TEST_F(TabModelRemove, ReleaseFormOfNoTabDoesNothing) {
  s.AddTabs(1);
  EXPECT_EQ(s.items().ReleaseForm(4), nullptr);
  EXPECT_TRUE(s.log.empty());
}

}  // namespace
}  // namespace orvane::testing
