#include <gtest/gtest.h>

#include <cstdint>

#include "base/pointer_input.h"

namespace orvane {
namespace {

TEST(PointerInput, EachButtonHasItsOwnBitAndHeldButtonsAdd) {
  EXPECT_EQ(ButtonValue({}), 0);
  EXPECT_EQ(ButtonValue({.left = true}), 1);
  EXPECT_EQ(ButtonValue({.right = true}), 2);
  EXPECT_EQ(ButtonValue({.middle = true}), 4);
  EXPECT_EQ(ButtonValue({.left = true, .right = true, .middle = true}), 7);
  EXPECT_EQ(ButtonValue({.left = true, .middle = true}), 5);
}

TEST(PointerInput, ShiftCtrlAndAltAreOneTwoAndFour) {
  EXPECT_EQ(ShiftValue({}), 0);
  EXPECT_EQ(ShiftValue({.shift = true}), 1);
  EXPECT_EQ(ShiftValue({.ctrl = true}), 2);
  EXPECT_EQ(ShiftValue({.alt = true}), 4);
  EXPECT_EQ(ShiftValue({.shift = true, .alt = true}), 5);
  EXPECT_EQ(ShiftValue({.shift = true, .ctrl = true, .alt = true}), 7);
}

}  // namespace
}  // namespace orvane
