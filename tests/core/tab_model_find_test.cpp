// Naming a tab: by key, position, page or item, with FindItem and Item.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/numbered_error.h"
#include "core/tab_model_fakes.h"

namespace orvane::testing {
namespace {

class TabModelFind : public ::testing::Test {
 protected:
  ModelFixtureState s;
};

TEST_F(TabModelFind, EmptyListFindsNothingForAnyKindOfIndex) {
  auto page = s.NewPage();
  EXPECT_EQ(s.items().FindItem(0), -1);
  EXPECT_EQ(s.items().FindItem(0.0), -1);
  EXPECT_EQ(s.items().FindItem("k0"), -1);
  EXPECT_EQ(s.items().FindItem(page), -1);
  EXPECT_EQ(s.items().FindItem(static_cast<CTabItem*>(nullptr)), -1);
  EXPECT_EQ(s.items().Count(), 0);
}

TEST_F(TabModelFind, NumbersArePositionsRoundedHalfToEven) {
  s.AddTabs(3);
  EXPECT_EQ(s.items().FindItem(0), 0);
  EXPECT_EQ(s.items().FindItem(2), 2);
  EXPECT_EQ(s.items().FindItem(1.5), 2);
  EXPECT_EQ(s.items().FindItem(0.5), 0);
  EXPECT_EQ(s.items().FindItem(2.5), 2);
  EXPECT_EQ(s.items().FindItem(1.4999), 1);
  EXPECT_EQ(s.items().FindItem(-0.5), 0);
  EXPECT_EQ(s.items().FindItem(-0.6), -1);
  EXPECT_EQ(s.items().FindItem(3), -1);
  EXPECT_EQ(s.items().FindItem(-1), -1);
  EXPECT_EQ(s.items().FindItem(std::numeric_limits<double>::quiet_NaN()), -1);
  EXPECT_EQ(s.items().FindItem(std::numeric_limits<double>::infinity()), -1);
  EXPECT_EQ(s.items().FindItem(1e300), -1);
}

TEST_F(TabModelFind, StringsAreKeysEvenWhenMadeOfDigits) {
  auto a = s.NewPage();
  auto b = s.NewPage();
  auto c = s.NewPage();
  s.items().Add("x", a, "x");
  s.items().Add("y", b, "0");
  s.items().Add("z", c);
  EXPECT_EQ(s.items().FindItem("0"), 1);
  EXPECT_EQ(s.items().FindItem("2"), -1);
  EXPECT_EQ(s.items().FindItem(""), -1);
  EXPECT_EQ(s.items().Item("0")->Caption(), "y");
}

TEST_F(TabModelFind, KeysMatchWithoutRegardToLetterCase) {
  auto page = s.NewPage();
  s.items().Add("game", page, "Gamehttp://Server.Example/Play?id=7");
  s.AddTabs(1);
  EXPECT_EQ(s.items().FindItem("gameHTTP://server.example/play?ID=7"), 0);
  EXPECT_EQ(s.items().FindItem("Gamehttp://Server.Example/Play?id=8"), -1);
  EXPECT_EQ(s.items().Item("GAMEHTTP://SERVER.EXAMPLE/PLAY?ID=7")->Caption(), "game");
}

TEST_F(TabModelFind, NonAsciiBytesOfKeysMustMatchExactly) {
  s.items().Add("cn", s.NewPage(), "游戏A");
  EXPECT_EQ(s.items().FindItem("游戏a"), 0);
  EXPECT_EQ(s.items().FindItem("游戏"), -1);
}

TEST_F(TabModelFind, PagesAndItemsAreFoundByIdentity) {
  s.AddTabs(3);
  auto stranger = s.NewPage();
  EXPECT_EQ(s.items().FindItem(s.pages[1]), 1);
  EXPECT_EQ(s.items().FindItem(s.pages[2].get()), 2);
  EXPECT_EQ(s.items().FindItem(stranger), -1);
  auto item = s.items().Item(2);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(s.items().FindItem(item), 2);
  auto loose = std::make_shared<CTabItem>();
  EXPECT_EQ(s.items().FindItem(loose), -1);
  EXPECT_EQ(s.items().FindItem(static_cast<ITabForm*>(nullptr)), -1);
}

TEST_F(TabModelFind, ItemByPositionYieldsNullOutsideTheList) {
  s.AddTabs(3);
  EXPECT_EQ(s.items().Item(-1), nullptr);
  EXPECT_EQ(s.items().Item(3), nullptr);
  ASSERT_NE(s.items().Item(0), nullptr);
  EXPECT_EQ(s.items().Item(0)->Caption(), "c0");
  EXPECT_EQ(s.items().Item(1.5)->Caption(), "c2");
  EXPECT_EQ(s.items().Item(s.pages[1])->Caption(), "c1");
}

TEST_F(TabModelFind, ItemWithAnUnknownKeyFailsWithError5) {
  s.AddTabs(2);
  try {
    s.items().Item("nope");
    FAIL() << "no error";
  } catch (const NumberedError& e) {
    EXPECT_EQ(e.Number(), 5);
  }
  EXPECT_EQ(s.items().Item("K1")->Caption(), "c1");
}

TEST_F(TabModelFind, SelectedIsTheOwnersSelection) {
  s.AddTabs(3);
  s.strip->selected = 2;
  EXPECT_EQ(s.items().Selected(), 2);
  s.items().SetSelected(1);
  EXPECT_EQ(s.strip->selected, 1);
}

}  // namespace
}  // namespace orvane::testing
