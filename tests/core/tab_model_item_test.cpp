// One tab's properties: what each write tells the strip and what it keeps.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/tab_model_fakes.h"

namespace orvane::testing {
namespace {

using ::testing::ElementsAre;

class TabModelItem : public ::testing::Test {
 protected:
  ModelFixtureState s;
};

TEST_F(TabModelItem, StartsEmpty) {
  CTabItem item;
  EXPECT_EQ(item.Caption(), "");
  EXPECT_EQ(item.Form(), nullptr);
  EXPECT_FALSE(item.HideButton());
  EXPECT_FALSE(item.LockSize());
  EXPECT_EQ(item.Left(), 0);
  EXPECT_EQ(item.Width(), 0);
  EXPECT_FALSE(item.ItemData().has_value());
  EXPECT_EQ(item.Owner(), nullptr);
  EXPECT_EQ(item.SavedStyle(), 0u);
}

TEST_F(TabModelItem, PropertyWritesRedrawWithoutANewLayout) {
  s.AddTabs(2);
  auto item = s.items().Item(1);
  item->SetLeft(120);
  item->SetWidth(84);
  item->SetCaption("title");
  item->SetHideButton(true);
  item->SetLockSize(true);
  EXPECT_THAT(s.log, ElementsAre("strip.Redraw true", "strip.Redraw true", "strip.Redraw true"));
  EXPECT_EQ(item->Caption(), "title");
  EXPECT_TRUE(item->HideButton());
  EXPECT_TRUE(item->LockSize());
  EXPECT_EQ(item->Left(), 120);
  EXPECT_EQ(item->Width(), 84);
}

TEST_F(TabModelItem, WritesOnAnItemWithoutOwnerTellNobody) {
  auto item = std::make_shared<CTabItem>();
  item->SetCaption("x");
  item->SetLockSize(true);
  auto page = s.NewPage();
  item->SetForm(page);
  EXPECT_THAT(s.log, ElementsAre("page100.Initialize"));
  EXPECT_EQ(page->implement, nullptr);
  EXPECT_EQ(page->item.lock(), item);
}

TEST_F(TabModelItem, ANewPageIsIntroducedAndTheOldOneLeftAlone) {
  s.AddTabs(1);
  auto item = s.items().Item(0);
  auto old_page = s.pages[0];
  auto new_page = s.NewPage();
  item->SetForm(new_page);
  EXPECT_THAT(s.log, ElementsAre("page101.Initialize", "strip.ChangeForm c0 101"));
  EXPECT_EQ(new_page->implement, s.strip.get());
  EXPECT_EQ(new_page->item.lock(), item);
  EXPECT_EQ(old_page->unload_calls, 0);
  EXPECT_EQ(s.items().FindItem(new_page), 0);
  EXPECT_EQ(s.items().FindItem(old_page), -1);
}

TEST_F(TabModelItem, ItemDataIsHandedBackUnchanged) {
  CTabItem item;
  item.SetItemData(42);
  EXPECT_EQ(std::any_cast<int>(item.ItemData()), 42);
  item.SetItemData(std::string("text"));
  EXPECT_EQ(std::any_cast<std::string>(item.ItemData()), "text");
  auto object = std::make_shared<int>(7);
  item.SetItemData(object);
  EXPECT_EQ(std::any_cast<std::shared_ptr<int>>(item.ItemData()), object);
  item.SetItemData(std::any());
  EXPECT_FALSE(item.ItemData().has_value());
}

}  // namespace
}  // namespace orvane::testing
