#include <gtest/gtest.h>

#include "base/property_bag.h"

namespace orvane {
namespace {

TEST(PropertyBag, ValueEqualToItsDefaultIsNotStored) {
  PropertyBag bag;
  bag.Write("TabStyle", std::int64_t{0}, std::int64_t{0});
  EXPECT_FALSE(bag.Contains("TabStyle"));
  EXPECT_TRUE(bag.Empty());

  bag.Write("TabStyle", std::int64_t{1}, std::int64_t{0});
  EXPECT_TRUE(bag.Contains("TabStyle"));
  EXPECT_EQ(std::get<std::int64_t>(bag.Read("TabStyle", std::int64_t{0})), 1);

  // Writing the default again forgets the stored value.
  bag.Write("TabStyle", std::int64_t{0}, std::int64_t{0});
  EXPECT_FALSE(bag.Contains("TabStyle"));
}

TEST(PropertyBag, AbsentNameReadsItsDefaultAndNoDefaultMeansAlwaysStored) {
  PropertyBag bag;
  EXPECT_EQ(std::get<std::string>(bag.Read("Caption", std::string("x"))), "x");
  bag.Write("cForeColor", std::int64_t{0});
  EXPECT_TRUE(bag.Contains("cForeColor"));
}

TEST(PropertyBag, NamesKeepTheirFirstWriteOrder) {
  PropertyBag bag;
  bag.Write("b", std::string("1"));
  bag.Write("a", true);
  bag.Write("b", std::string("2"));
  EXPECT_EQ(bag.Names(), (std::vector<std::string>{"b", "a"}));
  EXPECT_EQ(std::get<std::string>(bag.Read("b", std::string())), "2");
}

}  // namespace
}  // namespace orvane
