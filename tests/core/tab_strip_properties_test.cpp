// The strip's design-time settings in the host form's property data.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/property_bag.h"
#include "core/tab_strip_fakes.h"

namespace orvane::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class TabStripProperties : public ::testing::Test {
 protected:
  StripFixtureState s;
};

TEST_F(TabStripProperties, AnEmptyBagKeepsTheCurrentValues) {
  s.strip->SetTabLeftSize(17);
  s.strip->ReadProperties(PropertyBag{});
  EXPECT_EQ(s.strip->TabStyle(), 0);
  EXPECT_EQ(s.strip->TabLeftSize(), 17);
  EXPECT_EQ(s.strip->TabRightSize(), 0);
}

TEST_F(TabStripProperties, StoredValuesAreRead) {
  PropertyBag bag;
  bag.Write("TabStyle", std::int64_t{1});
  bag.Write("TabLeftSize", std::int64_t{10});
  bag.Write("TabRightSize", 3.5);  // a number rounds half to even
  s.strip->ReadProperties(bag);
  EXPECT_EQ(s.strip->TabStyle(), 1);
  EXPECT_EQ(s.strip->TabLeftSize(), 10);
  EXPECT_EQ(s.strip->TabRightSize(), 4);
}

TEST_F(TabStripProperties, ValuesOfTheWrongKindAreIgnored) {
  PropertyBag bag;
  bag.Write("TabStyle", std::string("round"));
  bag.Write("TabLeftSize", std::int64_t{1} << 40);
  s.strip->ReadProperties(bag);
  EXPECT_EQ(s.strip->TabStyle(), 0);
  EXPECT_EQ(s.strip->TabLeftSize(), 40);
}

TEST_F(TabStripProperties, DefaultsAreNotStored) {
  PropertyBag bag;
  s.strip->WriteProperties(bag);
  EXPECT_TRUE(bag.Empty());
}

TEST_F(TabStripProperties, TheMainWindowsSettingsRoundTrip) {
  s.strip->SetTabStyle(1);
  s.strip->SetTabLeftSize(10);
  s.strip->SetTabRight(0);
  PropertyBag bag;
  s.strip->WriteProperties(bag);
  EXPECT_THAT(bag.Names(), ElementsAre("TabStyle", "TabLeftSize"));
  EXPECT_EQ(std::get<std::int64_t>(bag.Read("TabLeftSize", std::int64_t{0})), 10);

  s.Recreate();
  s.strip->ReadProperties(bag);
  EXPECT_EQ(s.strip->TabStyle(), 1);
  EXPECT_EQ(s.strip->TabLeftSize(), 10);
  EXPECT_EQ(s.strip->TabRightSize(), 0);
}

TEST_F(TabStripProperties, ASavedValueBackAtItsDefaultIsForgotten) {
  PropertyBag bag;
  s.strip->SetTabRight(12);
  s.strip->WriteProperties(bag);
  EXPECT_THAT(bag.Names(), ElementsAre("TabRightSize"));
  s.strip->SetTabRight(0);
  s.strip->WriteProperties(bag);
  EXPECT_THAT(bag.Names(), IsEmpty());
}

}  // namespace
}  // namespace orvane::testing
