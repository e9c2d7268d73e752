#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "base/rounding.h"
#include "base/units.h"

namespace orvane {
namespace {

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
}

TEST(RoundHalfEven, NonTiesGoToTheNearest) {
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(2.5001), 3);
  EXPECT_EQ(RoundHalfEven(-2.6), -3);
  EXPECT_EQ(RoundHalfEven(7.0), 7);
}

TEST(RoundHalfEven, ConversionsSaturateAtTheirWidth) {
  EXPECT_EQ(CLng(3e10), 2147483647);
  EXPECT_EQ(CLng(-3e10), -2147483647 - 1);
  EXPECT_EQ(CInt(40000.0), 32767);
  EXPECT_EQ(CInt(-32768.5), -32768);
  EXPECT_EQ(CInt(12.5), 12);
}

TEST(RoundHalfEven, NotANumberIsZeroAndInfinitiesSaturate) {
  EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
  EXPECT_EQ(CLng(std::numeric_limits<double>::infinity()), 2147483647);
  EXPECT_EQ(CLng(-std::numeric_limits<double>::infinity()), -2147483647 - 1);
}

TEST(Units, FixedFactorsWhateverTheDisplay) {
  // A 13-pixel-wide strip as a picture object reports it in HIMETRIC.
  EXPECT_EQ(HimetricToPixels(PixelsToHimetric(13)), 13);
  EXPECT_EQ(HimetricToPixels(343.0), 13);  // 12.96 pixels
  EXPECT_EQ(TwipsToPixels(4500), 300);
  EXPECT_EQ(TwipsToPixels(22.5), 2);  // 1.5 pixels, tie to even
  EXPECT_EQ(TwipsToPixels(37.5), 2);  // 2.5 pixels, tie to even
  EXPECT_DOUBLE_EQ(PixelsToTwips(801), 12015.0);
}

}  // namespace
}  // namespace orvane
