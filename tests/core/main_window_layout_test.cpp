// Where the main window's children go at a given client size: every rectangle in twips,
// and the window's region in pixels.
#include <gtest/gtest.h>

#include "core/main_window_fakes.h"
#include "mainwin/main_window_layout.h"

namespace orvane {
namespace {

using test::Box;

TEST(MainWindowLayout, AtTheDesignSizeEveryChildIsPlacedFromTheRightEdge) {
  const auto layout = LayoutMainWindow(15540, 9585, 420, false);
  ASSERT_TRUE(layout.has_value());
  EXPECT_EQ(Box(layout->WebBForm), "0,0 15540x495");
  EXPECT_EQ(Box(layout->web_close), "14810,15 645x270");
  EXPECT_EQ(Box(layout->web_minmax), "14435,15 375x270");
  EXPECT_EQ(Box(layout->web_min), "14075,15 360x270");
  EXPECT_EQ(Box(layout->web_tool), "13715,15 360x270");
  EXPECT_EQ(Box(layout->WebuTab), "2300,45 8640x420");
  EXPECT_EQ(Box(layout->GameSpaceBtn), "12240,0 1215x330");
  EXPECT_EQ(Box(layout->OtherUserBtn), "10690,0 1485x330");
  // The content starts at the strip's height and leaves 60 twips left, right and below.
  EXPECT_EQ(Box(layout->Picture1), "60,420 15420x9105");
  EXPECT_EQ(Box(layout->pCnt), "60,420 15420x9105");
  EXPECT_EQ(layout->region_width, 1037);
  EXPECT_EQ(layout->region_height, 640);
}

TEST(MainWindowLayout, MaximisedOnAWideScreenTheSameRulesGiveOtherPlaces) {
  const auto layout = LayoutMainWindow(28800, 15750, 480, false);
  ASSERT_TRUE(layout.has_value());
  EXPECT_EQ(Box(layout->WebBForm), "0,0 28800x495");
  EXPECT_EQ(Box(layout->web_close), "28070,15 645x270");
  EXPECT_EQ(Box(layout->web_minmax), "27695,15 375x270");
  EXPECT_EQ(Box(layout->web_min), "27335,15 360x270");
  EXPECT_EQ(Box(layout->web_tool), "26975,15 360x270");
  EXPECT_EQ(Box(layout->WebuTab), "2300,45 21900x480");
  EXPECT_EQ(Box(layout->GameSpaceBtn), "25500,0 1215x330");
  EXPECT_EQ(Box(layout->OtherUserBtn), "23950,0 1485x330");
  EXPECT_EQ(Box(layout->Picture1), "60,480 28680x15210");
  EXPECT_EQ(Box(layout->pCnt), Box(layout->Picture1));
  EXPECT_EQ(layout->region_width, 1921);
  EXPECT_EQ(layout->region_height, 1051);
}

TEST(MainWindowLayout, TheRegionRoundsTwipsToTheNearestPixel) {
  // 15548 twips are 1036.53 pixels, 9592 are 639.47.
  const auto layout = LayoutMainWindow(15548, 9592, 420, false);
  ASSERT_TRUE(layout.has_value());
  EXPECT_EQ(layout->region_width, 1038);
  EXPECT_EQ(layout->region_height, 640);
}

TEST(MainWindowLayout, AMinimisedWindowIsLeftAsItIs) {
  EXPECT_FALSE(LayoutMainWindow(15540, 9585, 420, true).has_value());
  EXPECT_FALSE(LayoutMainWindow(0, 0, 420, true).has_value());
}

TEST(MainWindowLayout, AWindowSmallerThanItsFixedPartsShrinksTheirExtentsToNothing) {
  const auto layout = LayoutMainWindow(3000, 300, 420, false);
  ASSERT_TRUE(layout.has_value());
  EXPECT_EQ(Box(layout->WebuTab), "2300,45 0x420");
  EXPECT_EQ(Box(layout->Picture1), "60,420 2880x0");
  EXPECT_EQ(layout->web_close.x, 3000 - 730);
}

}  // namespace
}  // namespace orvane
