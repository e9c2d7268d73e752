// The Linux views of the main window and of the exit confirmation as real windows under
// Xvfb: where the layout's twips put each control, the content container the tab strip
// hosts pages in, the placeholder, the window's shape with its rounded corners, and the
// confirmation's modal showing with its nested loop.
#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/gtk/gtk_msg_frm_view.h"
#include "base/units.h"
#include "mainwin/gtk/gtk_web_main_frm_view.h"
#include "mainwin/gtk/gtk_web_url_view.h"
#include "support/gtk/real_input.h"
#include "tabstrip/gtk/widget_handle.h"
#include "widgets/button.h"
#include "widgets/gtk/rounded_region.h"

namespace orvane::gtk {
namespace {

using test_input::Pump;
using test_input::WaitUntil;

class Events final : public WebMainFrmEvents {
 public:
  void Form_Resize() override { ++resized; }
  void Form_CloseRequested() override { ++close_requests; }
  void BossKeyPressed() override {}
  void TrayMessage(std::uint32_t) override {}
  void ContentPointer() override {}
  int resized = 0;
  int close_requests = 0;
};

class MsgEvents final : public MsgFrmEvents {
 public:
  void Form_Resize() override { ++resized; }
  int resized = 0;
};

class ViewsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display"; }
};

// Where `widget` lies inside its top-level window, in pixels.
GdkRectangle PlaceInWindow(GtkWidget* widget) {
  GtkWidget* top = gtk_widget_get_toplevel(widget);
  int x = 0;
  int y = 0;
  gtk_widget_translate_coordinates(widget, top, 0, 0, &x, &y);
  return GdkRectangle{x, y, gtk_widget_get_allocated_width(widget),
                      gtk_widget_get_allocated_height(widget)};
}

int RowWidth(cairo_region_t* region, int y, int width) {
  int inside = 0;
  for (int x = 0; x < width; ++x) {
    inside += cairo_region_contains_point(region, x, y) ? 1 : 0;
  }
  return inside;
}

TEST(RoundedRectRegion, CutsOnlyTheCornersSymmetrically) {
  const UniqueRegion region = RoundedRectRegion(100, 50, 6);
  // The corner pixels are cut, the edges' middles are not.
  EXPECT_FALSE(cairo_region_contains_point(region.get(), 0, 0));
  EXPECT_FALSE(cairo_region_contains_point(region.get(), 99, 0));
  EXPECT_FALSE(cairo_region_contains_point(region.get(), 0, 49));
  EXPECT_FALSE(cairo_region_contains_point(region.get(), 99, 49));
  EXPECT_TRUE(cairo_region_contains_point(region.get(), 50, 0));
  EXPECT_TRUE(cairo_region_contains_point(region.get(), 0, 25));
  EXPECT_TRUE(cairo_region_contains_point(region.get(), 99, 25));
  EXPECT_TRUE(cairo_region_contains_point(region.get(), 50, 49));
  // Nothing outside (0, 0)-(100, 50).
  EXPECT_FALSE(cairo_region_contains_point(region.get(), 100, 25));
  EXPECT_FALSE(cairo_region_contains_point(region.get(), 50, 50));
  // Rows narrow towards the top and bottom, the same at both ends; the middle is whole.
  EXPECT_LT(RowWidth(region.get(), 0, 100), 100);
  for (int y = 0; y < 3; ++y) {
    EXPECT_LE(RowWidth(region.get(), y, 100), RowWidth(region.get(), y + 1, 100)) << y;
    EXPECT_EQ(RowWidth(region.get(), y, 100), RowWidth(region.get(), 49 - y, 100)) << y;
  }
  for (int y = 3; y < 47; ++y) {
    EXPECT_EQ(RowWidth(region.get(), y, 100), 100) << y;
  }
}

TEST(RoundedRectRegion, NoEllipseIsThePlainRectangleAndNothingIsEmpty) {
  const UniqueRegion plain = RoundedRectRegion(10, 4, 0);
  cairo_rectangle_int_t extents;
  cairo_region_get_extents(plain.get(), &extents);
  EXPECT_EQ(cairo_region_num_rectangles(plain.get()), 1);
  EXPECT_EQ(extents.width, 10);
  EXPECT_EQ(extents.height, 4);
  EXPECT_TRUE(cairo_region_is_empty(RoundedRectRegion(0, 10, 6).get()));
  EXPECT_TRUE(cairo_region_is_empty(RoundedRectRegion(10, -1, 6).get()));
  // A 4 x 4 ellipse on the confirmation's 243 x 141 cuts less than the main window's 6 x 6.
  const UniqueRegion small = RoundedRectRegion(243, 141, 4);
  const UniqueRegion large = RoundedRectRegion(243, 141, 6);
  EXPECT_GE(RowWidth(small.get(), 0, 243), RowWidth(large.get(), 0, 243));
}

TEST_F(ViewsTest, MainWindowPlacesEachControlWhereTheTwipsSay) {
  Events events;
  GtkWebMainFrmView view(events);
  gtk_window_move(view.Window(), 20, 20);
  view.Show();
  ASSERT_TRUE(WaitUntil([&] { return gtk_widget_get_mapped(GTK_WIDGET(view.Window())); }));
  // The design client size, and the resize reported once the window has its size.
  EXPECT_TRUE(WaitUntil([&] { return events.resized > 0; }));
  EXPECT_EQ(view.ClientSize().cx, kMainWindowDesignWidthTwips);
  EXPECT_EQ(view.ClientSize().cy, kMainWindowDesignHeightTwips);
  EXPECT_TRUE(view.Visible());
  EXPECT_TRUE(view.Picture1Visible());

  // The layout's rectangles, in twips, for a 1036 x 639 client area.
  view.Move(MainWindowControl::WebBForm, Rect{0, 0, 15540, 495});
  view.Move(MainWindowControl::web_close, Rect{15540 - 730, 15, 645, 270});
  view.Move(MainWindowControl::WebuTab, Rect{2300, 45, 15540 - 6900, 480});
  view.Move(MainWindowControl::OtherUserBtn, Rect{15540 - 4850, 0, 1485, 330});
  const int strip = view.TabStripHeight();
  EXPECT_GT(strip, 0);
  EXPECT_EQ(strip % kTwipsPerPixel, 0);
  const Rect content{60, strip, 15540 - 120, 9585 - strip - 60};
  view.Move(MainWindowControl::Picture1, content);
  view.Move(MainWindowControl::pCnt, content);
  GtkWidget* container = ToWidget(view.pCnt());
  ASSERT_TRUE(GTK_IS_OVERLAY(container)) << "the tab strip lays its pages over an overlay";
  ASSERT_TRUE(WaitUntil(
      [&] { return gtk_widget_get_allocated_width(container) == TwipsToPixels(content.width); }));
  const GdkRectangle placed = PlaceInWindow(container);
  EXPECT_EQ(placed.x, 4);
  EXPECT_EQ(placed.y, strip / kTwipsPerPixel);
  EXPECT_EQ(placed.width, 1036 - 8);
  EXPECT_EQ(placed.height, 639 - strip / kTwipsPerPixel - 4);
  const GdkRectangle tab = PlaceInWindow(ToWidget(view.WebuTab().hWnd()));
  EXPECT_EQ(tab.x, TwipsToPixels(2300));
  EXPECT_EQ(tab.y, 3);
  EXPECT_EQ(tab.width, TwipsToPixels(15540 - 6900));
  EXPECT_EQ(tab.height * kTwipsPerPixel, strip);

  // The window keeps its size: no control's place makes it grow.
  int width = 0;
  int height = 0;
  gtk_window_get_size(view.Window(), &width, &height);
  EXPECT_EQ(width, 1036);
  EXPECT_EQ(height, 639);

  // Hiding the placeholder leaves the container.
  view.HidePicture1();
  EXPECT_FALSE(view.Picture1Visible());
  EXPECT_TRUE(gtk_widget_get_visible(container));

  // A close request of the system goes to the close check and does not close the window.
  GdkEvent* close = gdk_event_new(GDK_DELETE);
  close->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(GTK_WIDGET(view.Window()))));
  gtk_main_do_event(close);
  gdk_event_free(close);
  EXPECT_EQ(events.close_requests, 1);
  EXPECT_TRUE(view.Visible());

  view.Hide();
  EXPECT_FALSE(view.Visible());
}

TEST_F(ViewsTest, MainWindowCanBeMadeSmallerThanItsControlsReach) {
  Events events;
  GtkWebMainFrmView view(events);
  view.Show();
  ASSERT_TRUE(WaitUntil([&] { return gtk_widget_get_mapped(GTK_WIDGET(view.Window())); }));
  view.Move(MainWindowControl::pCnt, Rect{60, 480, 15540 - 120, 9585 - 540});
  view.Move(MainWindowControl::web_close, Rect{15540 - 730, 15, 645, 270});
  Pump();
  gtk_window_resize(view.Window(), 400, 300);
  EXPECT_TRUE(WaitUntil([&] {
    int width = 0;
    int height = 0;
    gtk_window_get_size(view.Window(), &width, &height);
    return width == 400 && height == 300;
  }));
}

TEST_F(ViewsTest, MainWindowCaptionButtonsAndLinksCarryTheirDesign) {
  Events events;
  GtkWebMainFrmView view(events);
  EXPECT_EQ(view.GameSpaceBtn().Caption(), "游戏官网");
  EXPECT_EQ(view.OtherUserBtn().Caption(), "登录其他帐号");
  EXPECT_NE(view.GameSpaceBtn().BackPicture(), nullptr);
  EXPECT_NE(view.OtherUserBtn().BackPicture(), nullptr);
  EXPECT_EQ(view.web_minmax().Style(), 1);
  EXPECT_EQ(view.WebuTab().TabStyle(), 1);
  EXPECT_EQ(view.WebuTab().TabLeftSize(), 10);
  EXPECT_EQ(view.WebuTab().TabRightSize(), 0);
  EXPECT_NE(view.LoadBitmapPicture(105), nullptr);
  EXPECT_EQ(view.LoadBitmapPicture(9999), nullptr);
  view.SetTitle("Orvane客户端");
  EXPECT_STREQ(gtk_window_get_title(view.Window()), "Orvane客户端");
}

TEST_F(ViewsTest, APageIsABoxTheBrowserFills) {
  class Quiet final : public browser::BrowserEvents {
    void DocumentComplete(browser::DocumentId, const std::string&) override {}
    void TitleChange(const std::string&) override {}
    void BeforeNavigate2(const std::string&, bool&) override {}
    void NewWindow(const std::string&, bool&) override {}
  } quiet;
  Events events;
  GtkWebMainFrmView main(events);
  auto page = std::make_unique<GtkWebUrlView>(quiet);
  GtkWidget* widget = ToWidget(page->hWnd());
  ASSERT_TRUE(GTK_IS_BOX(widget));
  EXPECT_FALSE(gtk_widget_is_toplevel(widget));
  // Hosted in the content container as the tab strip does it, it fills the container.
  GtkWidget* container = ToWidget(main.pCnt());
  gtk_overlay_add_overlay(GTK_OVERLAY(container), widget);
  main.Move(MainWindowControl::pCnt, Rect{60, 480, 3000, 1500});
  main.Show();
  ASSERT_TRUE(WaitUntil([&] { return gtk_widget_get_allocated_width(widget) == 200; }));
  EXPECT_EQ(gtk_widget_get_allocated_height(widget), 100);
  // The page goes with its view, out of the container.
  page.reset();
  Pump();
  GList* children = gtk_container_get_children(GTK_CONTAINER(container));
  EXPECT_EQ(children, nullptr);
  g_list_free(children);
}

TEST_F(ViewsTest, TheConfirmationIsModalCentredAndEndsItsLoopOnUnload) {
  MsgEvents events;
  GtkMsgFrmView view(events);
  EXPECT_EQ(view.iButton1().Caption(), "是");
  EXPECT_EQ(view.iButton2().Caption(), "否");
  ASSERT_NE(view.iButton1().BackPicture(), nullptr);
  EXPECT_TRUE(gtk_window_get_modal(view.Window()));
  EXPECT_EQ(view.ScaleSize().cx, 242 * kTwipsPerPixel);
  EXPECT_EQ(view.ScaleSize().cy, 140 * kTwipsPerPixel);

  struct Seen {
    GtkMsgFrmView* view;
    bool mapped = false;
    int x = -1;
    int y = -1;
    int width = 0;
    int height = 0;
    int polls = 0;
  } seen{&view};
  // While the window is shown modally, the main loop's other sources still run: this
  // one looks at the window and then unloads it.
  g_timeout_add(
      20,
      +[](gpointer data) -> gboolean {
        auto* s = static_cast<Seen*>(data);
        GtkWidget* window = GTK_WIDGET(s->view->Window());
        if (gtk_widget_get_mapped(window) && ++s->polls > 5) {
          s->mapped = true;
          gtk_window_get_position(s->view->Window(), &s->x, &s->y);
          gtk_window_get_size(s->view->Window(), &s->width, &s->height);
          s->view->Unload();
          return G_SOURCE_REMOVE;
        }
        return G_SOURCE_CONTINUE;
      },
      &seen);
  view.ShowModal();
  EXPECT_TRUE(seen.mapped);
  EXPECT_GE(events.resized, 1);
  EXPECT_EQ(seen.width, 242);
  EXPECT_EQ(seen.height, 140);
  GdkRectangle screen{};
  gdk_monitor_get_geometry(gdk_display_get_monitor(gdk_display_get_default(), 0), &screen);
  EXPECT_NEAR(seen.x, (screen.width - 242) / 2, 1);
  EXPECT_NEAR(seen.y, (screen.height - 140) / 2, 1);
  EXPECT_FALSE(gtk_widget_get_visible(GTK_WIDGET(view.Window())));
}

TEST_F(ViewsTest, ClosingTheConfirmationByOtherMeansEndsItsLoopToo) {
  MsgEvents events;
  GtkMsgFrmView view(events);
  g_timeout_add(
      50,
      +[](gpointer data) -> gboolean {
        auto* view = static_cast<GtkMsgFrmView*>(data);
        GtkWidget* window = GTK_WIDGET(view->Window());
        if (!gtk_widget_get_mapped(window)) {
          return G_SOURCE_CONTINUE;
        }
        GdkEvent* close = gdk_event_new(GDK_DELETE);
        close->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(window)));
        gtk_main_do_event(close);
        gdk_event_free(close);
        return G_SOURCE_REMOVE;
      },
      &view);
  view.ShowModal();
  EXPECT_FALSE(gtk_widget_get_visible(GTK_WIDGET(view.Window())));
}

}  // namespace
}  // namespace orvane::gtk
