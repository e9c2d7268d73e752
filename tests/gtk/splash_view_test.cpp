// The splash window under Xvfb: its picture from the program's resources, its size and
// place, its hints, and its shape where no compositing manager runs (plain Xvfb).
#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <memory>

#include "app/gtk/gtk_splash_view.h"
#include "app/gtk/png_resource.h"
#include "base/resource_ids.h"
#include "support/gtk/real_input.h"

namespace orvane::gtk {
namespace {

using test_input::PixelAt;
using test_input::WaitUntil;

class CountingEvents final : public SplashEvents {
 public:
  void CloseRequested() override { ++close_requests; }
  int close_requests = 0;
};

class SplashViewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display"; }

  void TearDown() override {
    view_.reset();
    if (backdrop_ != nullptr) {
      gtk_widget_destroy(backdrop_);
    }
    test_input::Pump();
  }

  // A white window under the whole screen, so that what the splash leaves out shows white.
  void ShowWhiteBackdrop() {
    backdrop_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_decorated(GTK_WINDOW(backdrop_), FALSE);
    gtk_window_move(GTK_WINDOW(backdrop_), 0, 0);
    gtk_window_set_default_size(GTK_WINDOW(backdrop_),
                                gdk_window_get_width(gdk_get_default_root_window()),
                                gdk_window_get_height(gdk_get_default_root_window()));
    GtkCssProvider* css = gtk_css_provider_new();
    gtk_css_provider_load_from_data(css, "window { background: #ffffff; }", -1, nullptr);
    gtk_style_context_add_provider(gtk_widget_get_style_context(backdrop_), GTK_STYLE_PROVIDER(css),
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(css);
    gtk_widget_show(backdrop_);
    ASSERT_TRUE(WaitUntil([&] { return gtk_widget_get_mapped(backdrop_); }));
  }

  void ShowSplash() {
    view_ = std::make_unique<GtkSplashView>(events_);
    view_->PresentPicture(ORVANE_PNG_SPLASH);
    view_->ShowCentred();
    GtkWidget* widget = GTK_WIDGET(view_->Window());
    ASSERT_TRUE(WaitUntil([&] {
      GdkWindow* window = gtk_widget_get_window(widget);
      return gtk_widget_get_mapped(widget) && window != nullptr &&
             gdk_window_get_width(window) == 356;
    }));
  }

  GdkWindow* SplashWindow() const { return gtk_widget_get_window(GTK_WIDGET(view_->Window())); }

  CountingEvents events_;
  std::unique_ptr<GtkSplashView> view_;
  GtkWidget* backdrop_ = nullptr;
};

TEST(SplashPicture, IsPngResource102WithSeeThroughCorners) {
  const UniqueCairoSurface picture = LoadPngResource(ORVANE_PNG_SPLASH, ResourceType::Png);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(cairo_image_surface_get_width(picture.get()), 356);
  EXPECT_EQ(cairo_image_surface_get_height(picture.get()), 122);
  EXPECT_EQ(cairo_image_surface_get_format(picture.get()), CAIRO_FORMAT_ARGB32);
  const UniqueRegion shape = OpaqueRegion(picture.get());
  EXPECT_FALSE(cairo_region_contains_point(shape.get(), 0, 0));
  EXPECT_TRUE(cairo_region_contains_point(shape.get(), 178, 61));
  EXPECT_EQ(LoadPngResource(999, ResourceType::Png), nullptr);
}

TEST_F(SplashViewTest, TakesThePicturesSizeAndSitsInTheMiddleOfTheScreen) {
  ShowSplash();
  GdkWindow* window = SplashWindow();
  EXPECT_EQ(gdk_window_get_width(window), 356);
  EXPECT_EQ(gdk_window_get_height(window), 122);
  int x = 0;
  int y = 0;
  gdk_window_get_origin(window, &x, &y);
  EXPECT_NEAR(x, (gdk_window_get_width(gdk_get_default_root_window()) - 356) / 2, 1);
  EXPECT_NEAR(y, (gdk_window_get_height(gdk_get_default_root_window()) - 122) / 2, 1);
}

TEST_F(SplashViewTest, HasNoFrameAndNoTaskbarOrPagerEntry) {
  ShowSplash();
  GtkWindow* window = view_->Window();
  EXPECT_FALSE(gtk_window_get_decorated(window));
  EXPECT_TRUE(gtk_window_get_skip_taskbar_hint(window));
  EXPECT_TRUE(gtk_window_get_skip_pager_hint(window));
  EXPECT_EQ(gtk_window_get_type_hint(window), GDK_WINDOW_TYPE_HINT_SPLASHSCREEN);
}

TEST_F(SplashViewTest, WithoutACompositorItIsShapedByThePicturesAlpha) {
  ShowWhiteBackdrop();
  ShowSplash();
  ASSERT_FALSE(gdk_screen_is_composited(gdk_screen_get_default()))
      << "this check is for a screen without a compositing manager";
  int x = 0;
  int y = 0;
  gdk_window_get_origin(SplashWindow(), &x, &y);
  GdkWindow* root = gdk_get_default_root_window();
  const UniqueCairoSurface picture = LoadPngResource(ORVANE_PNG_SPLASH, ResourceType::Png);
  const auto* data =
      reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(picture.get()));
  const int stride = cairo_image_surface_get_stride(picture.get()) / 4;
  const std::uint32_t middle = data[61 * stride + 178];
  ASSERT_EQ(middle >> 24, 0xFFu) << "the middle of the picture is opaque";
  const Colour expected = Rgb((middle >> 16) & 0xFF, (middle >> 8) & 0xFF, middle & 0xFF);
  // The first frame reaches the screen a little after the window is mapped.
  WaitUntil([&] { return PixelAt(root, x + 178, y + 61) == expected; });
  EXPECT_EQ(PixelAt(root, x + 178, y + 61), expected);
  // The transparent corners show what lies below.
  EXPECT_EQ(PixelAt(root, x, y), Rgb(255, 255, 255));
  EXPECT_EQ(PixelAt(root, x + 355, y + 121), Rgb(255, 255, 255));
}

TEST_F(SplashViewTest, TheSystemsCloseRequestGoesToTheClientAndLeavesTheWindow) {
  ShowSplash();
  GdkEvent* event = gdk_event_new(GDK_DELETE);
  event->any.window = GDK_WINDOW(g_object_ref(SplashWindow()));
  gtk_main_do_event(event);
  gdk_event_free(event);
  EXPECT_EQ(events_.close_requests, 1);
  EXPECT_TRUE(gtk_widget_get_visible(GTK_WIDGET(view_->Window())));
}

TEST_F(SplashViewTest, UnloadingTakesTheWindowOffTheScreen) {
  ShowSplash();
  GdkWindow* window = SplashWindow();
  g_object_ref(window);
  view_.reset();
  test_input::Pump();
  EXPECT_TRUE(gdk_window_is_destroyed(window));
  g_object_unref(window);
}

}  // namespace
}  // namespace orvane::gtk
