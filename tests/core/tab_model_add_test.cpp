// Adding tabs: the order of the steps, insertion positions and the failures.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/numbered_error.h"
#include "core/tab_model_fakes.h"

namespace orvane::testing {
namespace {

using ::testing::ElementsAre;

class TabModelAdd : public ::testing::Test {
 protected:
  std::vector<std::string> Captions() {
    std::vector<std::string> out;
    for (int i = 0; i < s.items().Count(); ++i) {
      out.push_back(s.items().Item(i)->Caption());
    }
    return out;
  }
  int ErrorOfAdd(const std::string& caption, const std::optional<std::string>& key,
                 const std::optional<TabIndex>& index) {
    try {
      s.items().Add(caption, s.NewPage(), key, index);
    } catch (const NumberedError& e) {
      return e.Number();
    }
    return 0;
  }
  ModelFixtureState s;
};

TEST_F(TabModelAdd, RunsItsStepsInOrder) {
  auto page = s.NewPage();
  s.ops.styles[100] = 0x16CF0000;
  ASSERT_TRUE(s.items().Add("Game", page, "Gamehttp://a"));
  EXPECT_THAT(s.log, ElementsAre("GetStyle 100", "page100.Initialize", "strip.Redraw true",
                                 "page100.Initialize", "strip.ChangeForm Game 100",
                                 "strip.Add Game 100 Gamehttp://a", "Activate 500"));
  auto item = s.items().Item(0);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->SavedStyle(), 0x16CF0000u);
  EXPECT_EQ(item->Caption(), "Game");
  EXPECT_EQ(item->Form(), page);
  EXPECT_EQ(item->Owner(), s.strip.get());
  EXPECT_EQ(page->initialize_calls, 2);
  EXPECT_EQ(page->implement, s.strip.get());
  EXPECT_EQ(page->item.lock(), item);
}

TEST_F(TabModelAdd, LeavesTheSelectionToTheOwner) {
  s.AddTabs(2);
  s.strip->selected = 1;
  s.items().Add("front", s.NewPage(), std::nullopt, 0);
  EXPECT_EQ(s.items().Selected(), 1);
  EXPECT_EQ(s.items().Item(1)->Caption(), "c0");
}

TEST_F(TabModelAdd, InsertsAtThePositionGiven) {
  s.AddTabs(2);
  s.items().Add("front", s.NewPage(), std::nullopt, 0);
  EXPECT_THAT(Captions(), ElementsAre("front", "c0", "c1"));
  s.items().Add("end", s.NewPage(), std::nullopt, 3);
  EXPECT_THAT(Captions(), ElementsAre("front", "c0", "c1", "end"));
  s.items().Add("mid", s.NewPage(), std::nullopt, 1.5);  // rounds to 2
  EXPECT_THAT(Captions(), ElementsAre("front", "c0", "mid", "c1", "end"));
  s.items().Add("appended", s.NewPage());
  EXPECT_EQ(Captions().back(), "appended");
  EXPECT_EQ(s.items().FindItem("k1"), 3);
}

TEST_F(TabModelAdd, RejectsPositionsOutsideTheListWithError9) {
  s.AddTabs(2);
  EXPECT_EQ(ErrorOfAdd("x", std::nullopt, 3), 9);
  EXPECT_EQ(ErrorOfAdd("x", std::nullopt, -1), 9);
  EXPECT_EQ(ErrorOfAdd("x", std::nullopt, 2.5), 0);  // 2.5 rounds to 2: appended
  EXPECT_EQ(s.items().Count(), 3);
}

TEST_F(TabModelAdd, RejectsPositionsThatAreNotNumbersWithError5) {
  s.AddTabs(2);
  EXPECT_EQ(ErrorOfAdd("x", std::nullopt, "a"), 5);
  EXPECT_EQ(ErrorOfAdd("x", std::nullopt, "1"), 5);
  EXPECT_EQ(ErrorOfAdd("x", std::nullopt, TabIndex(s.pages[0])), 5);
  EXPECT_EQ(ErrorOfAdd("x", std::nullopt, std::numeric_limits<double>::quiet_NaN()), 5);
  EXPECT_EQ(s.items().Count(), 2);
}

TEST_F(TabModelAdd, RejectsADuplicateKeyInAnyLetterCase) {
  s.AddTabs(2);
  EXPECT_EQ(ErrorOfAdd("x", "K1", std::nullopt), kErrDuplicateKey);
  EXPECT_EQ(s.items().Count(), 2);
  EXPECT_EQ(s.items().Item(1)->Caption(), "c1");
  // A bad position is found before the key is looked at.
  EXPECT_EQ(ErrorOfAdd("x", "k1", 7), 9);
}

TEST_F(TabModelAdd, AFailedAddHasAlreadyHostedThePageButAddsNoTab) {
  s.AddTabs(1);
  auto page = s.NewPage();
  EXPECT_THROW(s.items().Add("x", page, "k0"), NumberedError);
  EXPECT_THAT(s.log, ElementsAre("GetStyle 101", "page101.Initialize", "strip.Redraw true",
                                 "page101.Initialize", "strip.ChangeForm x 101"));
  EXPECT_EQ(s.items().Count(), 1);
  EXPECT_EQ(s.items().FindItem(page), -1);
  // The item was discarded: the page's reference to it has expired.
  EXPECT_TRUE(page->item.expired());
  EXPECT_EQ(page->unload_calls, 0);
}

TEST_F(TabModelAdd, AMissingPageIsAnInvalidArgument) {
  try {
    s.items().Add("x", nullptr);
    FAIL() << "no error";
  } catch (const NumberedError& e) {
    EXPECT_EQ(e.Number(), 5);
  }
  EXPECT_TRUE(s.log.empty());
}

class ThrowingPage : public FakePage {
 public:
  using FakePage::FakePage;
  void Initialize(IuTab*, std::weak_ptr<CTabItem>) override { throw std::runtime_error("boom"); }
};

TEST_F(TabModelAdd, FailuresOfThePagePassToTheCaller) {
  auto page = std::make_shared<ThrowingPage>(s.log, 77);
  EXPECT_THROW(s.items().Add("x", page), std::runtime_error);
  EXPECT_EQ(s.items().Count(), 0);
}

}  // namespace
}  // namespace orvane::testing
