// The painter's resources: skins and fonts for its whole life, three buffers rebuilt at
// every resize, and what it does when some of them are missing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/tab_painter_rig.h"

namespace orvane::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(TabPainterResources, CreationLoadsBothSkinsAndBothFontsAndNoBuffers) {
  TabPainterRig rig;
  rig.MakePainter();
  EXPECT_THAT(rig.log, ElementsAre("skin 106", "skin 107", "guifont 100", "guifont 700"));
  EXPECT_EQ(rig.painter->BackBuffer(), nullptr);
  EXPECT_EQ(rig.painter->BackgroundBuffer(), nullptr);
  EXPECT_EQ(rig.painter->TabAreaBuffer(), nullptr);
  EXPECT_EQ(rig.painter->Skin(0).Width(), 415);
  EXPECT_EQ(rig.painter->Skin(5).Width(), 421);
}

TEST(TabPainterResources, BuffersAreBackThenBackgroundThenTabArea) {
  TabPainterRig rig;
  rig.scene.width = 500;
  rig.scene.left_size = 30;
  rig.scene.right_size = 20;
  rig.MakePainter();
  rig.log.clear();
  rig.painter->CreateBuffers();
  EXPECT_THAT(rig.log, ElementsAre("create 500x25", "create 500x25", "create 450x25"));
  ASSERT_NE(rig.painter->BackBuffer(), nullptr);
  ASSERT_NE(rig.painter->TabAreaBuffer(), nullptr);
  EXPECT_EQ(rig.painter->TabAreaBuffer()->Width(), 450);
  EXPECT_EQ(rig.canvas.live_surfaces, 2 + 3);
}

TEST(TabPainterResources, RebuildingFreesTheOldBuffersFirst) {
  TabPainterRig rig;
  rig.scene.width = 500;
  rig.MakePainter();
  rig.MakeBuffers();
  rig.scene.SetStyle(1);
  rig.scene.width = 800;
  rig.painter->CreateBuffers();
  EXPECT_THAT(rig.log, ElementsAre("free tabarea", "free background", "free back", "create 800x32",
                                   "create 800x32", "create 760x32"));
  EXPECT_EQ(rig.canvas.live_surfaces, 2 + 3);
}

TEST(TabPainterResources, FreeBuffersForgetsAllThree) {
  TabPainterRig rig;
  rig.scene.width = 500;
  rig.MakePainter();
  rig.MakeBuffers();
  rig.painter->FreeBuffers();
  EXPECT_THAT(rig.log, ElementsAre("free tabarea", "free background", "free back"));
  EXPECT_EQ(rig.painter->BackBuffer(), nullptr);
  EXPECT_EQ(rig.canvas.live_surfaces, 2);
  rig.log.clear();
  rig.painter->FreeBuffers();
  EXPECT_THAT(rig.log, IsEmpty());
}

TEST(TabPainterResources, EndingReleasesBuffersThenSkins) {
  TabPainterRig rig;
  rig.scene.width = 500;
  rig.MakePainter();
  rig.MakeBuffers();
  rig.painter.reset();
  EXPECT_THAT(rig.log, ElementsAre("free tabarea", "free background", "free back", "free skin107",
                                   "free skin106"));
  EXPECT_EQ(rig.canvas.live_surfaces, 0);
}

TEST(TabPainterResources, NoTabAreaFailsTheLastBufferAndKeepsTheOthers) {
  TabPainterRig rig;
  rig.scene.width = 40;  // exactly the left margin
  rig.MakePainter();
  try {
    rig.painter->CreateBuffers();
    FAIL() << "a tab area of no pixels cannot have a buffer";
  } catch (const DrawingError& e) {
    EXPECT_STREQ(e.what(), "CreateCompatibleBitmap调用失败");
  }
  EXPECT_NE(rig.painter->BackBuffer(), nullptr);
  EXPECT_NE(rig.painter->BackgroundBuffer(), nullptr);
  EXPECT_EQ(rig.painter->TabAreaBuffer(), nullptr);
}

TEST(TabPainterResources, MissingTabAreaStillShowsTheBackground) {
  TabPainterRig rig;
  rig.scene.width = 40;
  rig.scene.LayOut({108});
  rig.MakePainter();
  rig.MakeBuffers();
  rig.painter->DrawAll(true);
  EXPECT_THAT(rig.log, ElementsAre("OnDrawBackground buffer 40x25",
                                   "stretch background (0,0,40,25) <- skin106 (0,0,1,25) plain",
                                   "copy back (0,0,40,25) <- background @(0,0)", "present"));
}

TEST(TabPainterResources, ZeroWidthStripHasNoBuffersAndDrawsNothing) {
  TabPainterRig rig;
  rig.scene.width = 0;
  rig.scene.left_size = 0;
  rig.scene.LayOut({108});
  rig.MakePainter();
  rig.MakeBuffers();
  EXPECT_EQ(rig.painter->BackBuffer(), nullptr);
  rig.painter->DrawAll(true);
  // The host still hears of the background draw, with no buffer to paint.
  EXPECT_THAT(rig.log, ElementsAre("OnDrawBackground none 0x25"));

  std::unique_ptr<Surface> window = rig.canvas.CreateSurface(10, 10);
  rig.canvas.Name(window.get(), "window");
  rig.log.clear();
  rig.painter->Paint(*window);
  EXPECT_THAT(rig.log, IsEmpty());
}

TEST(TabPainterResources, AFailedResizeDropsTheOldPicture) {
  TabPainterRig rig;
  rig.scene.width = 300;
  rig.MakePainter();
  rig.MakeBuffers();
  rig.scene.width = -5;
  EXPECT_THROW(rig.painter->CreateBuffers(), DrawingError);
  EXPECT_EQ(rig.painter->BackBuffer(), nullptr);
  EXPECT_EQ(rig.canvas.live_surfaces, 2);
}

TEST(TabPainterPaint, CopiesStripWidthTimesStyleHeightWhetherOrNotDrawingIsEnabled) {
  for (bool enabled : {true, false}) {
    for (int style : {0, 1}) {
      TabPainterRig rig;
      rig.scene.SetStyle(style);
      rig.scene.width = 333;
      rig.MakePainter();
      rig.MakeBuffers();
      std::unique_ptr<Surface> window = rig.canvas.CreateSurface(333, 40);
      rig.canvas.Name(window.get(), "window");
      rig.scene.enabled = enabled;
      rig.log.clear();
      rig.painter->Paint(*window);
      EXPECT_THAT(rig.log, ElementsAre("copy window (0,0,333," + std::to_string(style ? 32 : 25) +
                                       ") <- back @(0,0)"));
    }
  }
}

}  // namespace
}  // namespace orvane::test
