// The strip as a real GTK widget: its size, the page widgets it takes into its container
// and shows, its picture, and pages given back as windows of their own.
#include <gtest/gtest.h>

#include "base/canvas.h"
#include "tabstrip/tab_strip_painter.h"
#include "gtk/tab_strip_gtk_support.h"

namespace orvane::testing {
namespace {

class TabStripWidget : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(GtkReady()) << "no display"; }
};

int OverlayIndex(GtkWidget* overlay, GtkWidget* child) {
  int index = -1;
  gtk_container_child_get(GTK_CONTAINER(overlay), child, "index", &index, nullptr);
  return index;
}

TEST_F(TabStripWidget, TakesTheHeightOfItsStyleAndKnowsItsForm) {
  StripForm f;
  EXPECT_EQ(gtk_widget_get_allocated_height(f.area()), 32);
  EXPECT_EQ(gtk_widget_get_allocated_width(f.area()), 1000);
  EXPECT_EQ(f.strip().Strip().StripWidth(), 1000);
  EXPECT_EQ(f.strip().Strip().hParent(), gtk::FromWidget(f.form()));
  EXPECT_EQ(f.strip().Strip().hWnd(), gtk::FromWidget(f.area()));
  f.strip().Strip().SetTabStyle(0);
  gtk_widget_set_size_request(f.area(), 900, 20);
  PumpUntil([&] { return gtk_widget_get_allocated_height(f.area()) == 25; });
  EXPECT_EQ(gtk_widget_get_allocated_height(f.area()), 25);
  EXPECT_EQ(f.strip().Strip().StripWidth(), 900);
}

TEST_F(TabStripWidget, AStripOutsideAnyWindowHasNoForm) {
  gtk::uTabWidget strip;
  EXPECT_EQ(strip.Strip().hParent(), 0u);
}

TEST_F(TabStripWidget, TakesPagesInHiddenAndShowsTheSelectedOneOnTop) {
  StripForm f;
  // A page that starts in a window of its own leaves it for the container.
  auto a = std::make_shared<WidgetPage>();
  GtkWidget* own_window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  g_object_add_weak_pointer(G_OBJECT(own_window), reinterpret_cast<gpointer*>(&own_window));
  gtk_container_add(GTK_CONTAINER(own_window), a->Widget());
  f.pages.push_back(a);
  f.strip().TabItems().Add("a", a, "Gamea");
  Pump();
  EXPECT_EQ(gtk_widget_get_parent(a->Widget()), f.container());
  EXPECT_EQ(own_window, nullptr);
  EXPECT_FALSE(gtk_widget_get_visible(a->Widget()));
  EXPECT_EQ(f.strip().Strip().Selected(), 0);  // selected, but not shown before a fit

  auto b = f.AddPage("b");
  auto c = f.AddPage("c");
  EXPECT_TRUE(gtk_widget_get_visible(a->Widget()));  // the second tab's fit showed it
  EXPECT_FALSE(gtk_widget_get_visible(c->Widget()));
  f.strip().Strip().SetSelected(2);
  Pump();
  EXPECT_TRUE(gtk_widget_get_visible(c->Widget()));
  EXPECT_EQ(OverlayIndex(f.container(), c->Widget()), 2);
  f.strip().Strip().SetSelected(0);
  PumpUntil([&] { return AllocationOf(a->Widget()).width == 1000; });
  EXPECT_EQ(OverlayIndex(f.container(), a->Widget()), 2);
  EXPECT_TRUE(gtk_widget_get_visible(c->Widget()));  // covered, not hidden
  const GtkAllocation page = AllocationOf(a->Widget());
  const GtkAllocation container = AllocationOf(f.container());
  EXPECT_EQ(page.width, container.width);
  EXPECT_EQ(page.height, container.height);
  int x = -1;
  int y = -1;
  ASSERT_TRUE(gtk_widget_translate_coordinates(a->Widget(), f.container(), 0, 0, &x, &y));
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
}

TEST_F(TabStripWidget, TheSelectedPageFollowsTheContainersSize) {
  StripForm f;
  auto a = f.AddPage("a");
  f.strip().Strip().SetSelected(0);
  gtk_widget_set_size_request(f.container(), 640, 321);
  PumpUntil([&] { return AllocationOf(a->Widget()).width == 640; });
  EXPECT_EQ(AllocationOf(a->Widget()).width, 640);
  EXPECT_EQ(AllocationOf(a->Widget()).height, 321);
}

TEST_F(TabStripWidget, PaintsItsBackBuffer) {
  StripForm f;
  f.AddPage("游戏");
  f.AddPage("b");
  f.strip().Strip().SetSelected(1);
  Pump();
  const auto* painter = dynamic_cast<const TabStripPainter*>(f.strip().Strip().Painter());
  ASSERT_NE(painter, nullptr);
  const Surface* back = painter->Painter().BackBuffer();
  ASSERT_NE(back, nullptr);
  cairo_surface_t* shot = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1000, 32);
  cairo_t* cr = cairo_create(shot);
  gtk_widget_draw(f.area(), cr);
  cairo_destroy(cr);
  cairo_surface_flush(shot);
  const unsigned char* data = cairo_image_surface_get_data(shot);
  const int stride = cairo_image_surface_get_stride(shot);
  int differing = 0;
  for (int y = 0; y < 32; y += 3) {
    for (int x = 0; x < 1000; x += 7) {
      const auto pixel = *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4);
      const Colour seen = Rgb((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
      if (seen != back->GetPixel(Point{x, y})) {
        ++differing;
      }
    }
  }
  cairo_surface_destroy(shot);
  EXPECT_EQ(differing, 0);
  // Something was drawn: the selected tab differs from the background beside the tabs.
  EXPECT_NE(back->GetPixel(Point{10 + 205 + 100, 13}), back->GetPixel(Point{990, 13}));
}

TEST_F(TabStripWidget, KeepsTheTooltipText) {
  StripForm f;
  f.strip().SetToolTipText("游戏 Game");
  EXPECT_EQ(f.strip().ToolTipText(), "游戏 Game");
  f.strip().SetToolTipText("");
  EXPECT_EQ(f.strip().ToolTipText(), "");
}

TEST_F(TabStripWidget, ReleaseFormGivesThePageAWindowOfItsOwn) {
  StripForm f;
  f.AddPage("a");
  auto b = f.AddPage("b");
  auto released = f.strip().TabItems().ReleaseForm("gameb");
  Pump();
  ASSERT_EQ(released, b);
  GtkWidget* top = gtk_widget_get_toplevel(b->Widget());
  ASSERT_TRUE(GTK_IS_WINDOW(top));
  EXPECT_NE(top, f.form());
  EXPECT_TRUE(gtk_widget_get_visible(top));
  EXPECT_FALSE(b->unloaded);
  EXPECT_EQ(f.strip().TabItems().Count(), 1);
  GtkWidget* watched = top;
  g_object_add_weak_pointer(G_OBJECT(top), reinterpret_cast<gpointer*>(&watched));
  b->Unload();
  Pump();
  EXPECT_EQ(watched, nullptr);  // the window went with its page
}

TEST_F(TabStripWidget, TheEndOfTheStripUnloadsItsPages) {
  StripForm f;
  auto a = f.AddPage("a");
  auto b = f.AddPage("b");
  f.pages.clear();
  f.DestroyStrip();
  Pump();
  EXPECT_TRUE(a->unloaded);
  EXPECT_FALSE(a->Alive());
  EXPECT_FALSE(b->Alive());
}

}  // namespace
}  // namespace orvane::testing
