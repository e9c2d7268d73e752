#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "widgets/mask_runs.h"

namespace orvane {
namespace {

// Pixels as 0xAARRGGBB words; magenta (0x00FF00FF in either byte order) is the mask colour.
constexpr std::uint32_t kKey = 0xFFFF00FFu;
constexpr std::uint32_t kInk = 0xFF102030u;

constexpr Colour kMask = kMagenta;

TEST(MaskRuns, EveryRowGivesItsRunsOfNonMaskPixelsLeftToRight) {
  const std::vector<std::uint32_t> pixels = {
      kKey, kInk, kInk, kKey, kInk,  //
      kInk, kInk, kInk, kInk, kInk,  //
      kKey, kKey, kKey, kKey, kKey,  //
  };
  const std::vector<Rect> runs = RunsOutsideColour(pixels, 5, 5, 3, kMask);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0], (Rect{1, 0, 2, 1}));
  EXPECT_EQ(runs[1], (Rect{4, 0, 1, 1}));
  EXPECT_EQ(runs[2], (Rect{0, 1, 5, 1}));
}

TEST(MaskRuns, TheAlphaByteDoesNotMakeAPixelOpaque) {
  const std::vector<std::uint32_t> pixels = {0x00FF00FFu, 0x80FF00FFu, kInk};
  const std::vector<Rect> runs = RunsOutsideColour(pixels, 3, 3, 1, kMask);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0], (Rect{2, 0, 1, 1}));
}

TEST(MaskRuns, OnlyTheRequestedCornerCountsAndRowsPastTheDataAreNotRead) {
  // Four pixels a row, of which the window shows two; the data holds two rows of the
  // three asked for.
  const std::vector<std::uint32_t> pixels = {
      kKey, kInk, kInk, kInk,  //
      kInk, kKey, kInk, kInk,  //
  };
  const std::vector<Rect> runs = RunsOutsideColour(pixels, 4, 2, 3, kMask);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0], (Rect{1, 0, 1, 1}));
  EXPECT_EQ(runs[1], (Rect{0, 1, 1, 1}));
  EXPECT_TRUE(RunsOutsideColour(pixels, 4, 0, 2, kMask).empty());
  EXPECT_TRUE(RunsOutsideColour(pixels, 0, 4, 2, kMask).empty());
}

}  // namespace
}  // namespace orvane
