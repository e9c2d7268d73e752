// The splash window under Wine: a real layered window fed by GDI+ from PNG resource 102,
// its off-screen bitmap read back pixel by pixel, its place and its close request; and the
// message loop the client runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/win32/gdiplus_session.h"
#include "app/win32/png_resource.h"
#include "app/win32/win32_platform.h"
#include "app/win32/win32_splash_view.h"
#include "base/resource_ids.h"
#include "support/win32/real_input.h"

namespace orvane::win32 {
namespace {

class CountingEvents final : public SplashEvents {
 public:
  void CloseRequested() override { ++close_requests; }
  int close_requests = 0;
};

TEST(LoadPngResource, DecodesThePictureFromItsMemoryStream) {
  GdiplusSession gdiplus;
  ASSERT_TRUE(gdiplus.ok());
  PngImage splash = LoadPngResource(ORVANE_PNG_SPLASH, ResourceType::Png);
  ASSERT_TRUE(splash);
  EXPECT_EQ(splash.Width(), 356U);
  EXPECT_EQ(splash.Height(), 122U);
  PngImage background = LoadPngResource(ORVANE_PNG_LOGIN_BACKGROUND, ResourceType::Png);
  ASSERT_TRUE(background);
  EXPECT_EQ(background.Width(), 1191U);
  EXPECT_EQ(background.Height(), 700U);
  // Moving one picture over another disposes the old one before its stream and block.
  splash = std::move(background);
  EXPECT_EQ(splash.Width(), 1191U);
  EXPECT_FALSE(LoadPngResource(999, ResourceType::Png));
}

class SplashViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view_ = std::make_unique<Win32SplashView>(events_);
    ASSERT_NE(view_->Window(), nullptr);
  }
  CountingEvents events_;
  std::unique_ptr<Win32SplashView> view_;
};

TEST_F(SplashViewTest, IsALayeredToolWindowOfThePicturesSize) {
  view_->PresentPicture(ORVANE_PNG_SPLASH);
  const LONG_PTR ex_style = ::GetWindowLongPtrW(view_->Window(), GWL_EXSTYLE);
  EXPECT_NE(ex_style & WS_EX_LAYERED, 0);
  EXPECT_NE(ex_style & WS_EX_TOOLWINDOW, 0) << "the splash has no taskbar entry";
  EXPECT_EQ(::GetWindowLongPtrW(view_->Window(), GWL_STYLE) & WS_CAPTION, 0);
  RECT rect{};
  ::GetWindowRect(view_->Window(), &rect);
  EXPECT_EQ(rect.right - rect.left, 356);
  EXPECT_EQ(rect.bottom - rect.top, 122);
  EXPECT_FALSE(::IsWindowVisible(view_->Window())) << "nothing shows before the load has ended";
}

TEST_F(SplashViewTest, TheLayeredBitmapCarriesThePicturesAlpha) {
  view_->PresentPicture(ORVANE_PNG_SPLASH);
  const LayeredPicture* picture = view_->Picture();
  ASSERT_NE(picture, nullptr);
  ASSERT_EQ(picture->Width(), 356);
  ASSERT_EQ(picture->Height(), 122);
  const auto corner = picture->PixelAt(0, 0);
  ASSERT_TRUE(corner.has_value());
  EXPECT_EQ(*corner >> 24, 0U) << "a transparent corner pixel";
  EXPECT_EQ(*corner, 0U) << "premultiplied: nothing of its colour is left";
  const auto middle = picture->PixelAt(178, 61);
  ASSERT_TRUE(middle.has_value());
  EXPECT_EQ(*middle >> 24, 0xFFU);
  EXPECT_FALSE(picture->PixelAt(356, 0).has_value());
}

TEST_F(SplashViewTest, IsShownInTheMiddleOfTheScreen) {
  view_->PresentPicture(ORVANE_PNG_SPLASH);
  view_->ShowCentred();
  EXPECT_TRUE(::IsWindowVisible(view_->Window()));
  RECT rect{};
  ::GetWindowRect(view_->Window(), &rect);
  EXPECT_EQ(rect.left, (::GetSystemMetrics(SM_CXSCREEN) - 356) / 2);
  EXPECT_EQ(rect.top, (::GetSystemMetrics(SM_CYSCREEN) - 122) / 2);
}

TEST_F(SplashViewTest, TheSystemsCloseGoesToTheClientAndLeavesTheWindow) {
  ::SendMessageW(view_->Window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(events_.close_requests, 1);
  EXPECT_TRUE(::IsWindow(view_->Window()));
  HWND window = view_->Window();
  view_.reset();
  EXPECT_FALSE(::IsWindow(window));
}

TEST(Win32ProgramLoop, RunsPostedCallsAfterTheCurrentMessageAndEndsWithTheCode) {
  Win32ProgramLoop loop;
  std::vector<int> order;
  loop.Post([&] {
    order.push_back(1);
    loop.Post([&] {
      order.push_back(3);
      loop.Quit(7);
    });
    order.push_back(2);
  });
  EXPECT_TRUE(order.empty());
  EXPECT_EQ(loop.Run(), 7);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST(ShellAddressLauncher, RefusesEverythingButWebAddresses) {
  ShellAddressLauncher launcher;
  EXPECT_FALSE(launcher.OpenAddress("file:///C:/windows/system32/calc.exe"));
  EXPECT_FALSE(launcher.OpenAddress("C:\\windows\\notepad.exe"));
  EXPECT_FALSE(launcher.OpenAddress("javascript:alert(1)"));
}

}  // namespace
}  // namespace orvane::win32
