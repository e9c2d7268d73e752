// The caption bar as a real GTK widget under Xvfb: its pixels against the skin it was
// given, the frame it paints on a form, and dragging and clicking it with real input.
#include <gtk/gtk.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "base/numbered_error.h"
#include "base/resource_ids.h"
#include "widgets/gtk/cairo_picture.h"
#include "widgets/gtk/caption_bar_widget.h"
#include "widgets/gtk/form_canvas.h"
#include "support/gtk/real_input.h"

namespace orvane::gtk {
namespace {

using namespace orvane::gtk::test_input;

using ::testing::ElementsAre;

constexpr Colour kFormBack = Rgb(0, 128, 0);

// Every pixel of the 94 x 85 skin has its own colour, never near white. `hole`: a
// see-through patch at (30..33, 28..31), so that the bar's back colour shows there.
Colour SkinColour(int x, int y) {
  return Rgb(10 + 2 * x, 10 + 2 * y, 128);
}

PicturePtr Skin(bool hole = false) {
  UniqueCairoSurface image = NewBlackImage(94, 85);
  cairo_surface_flush(image.get());
  unsigned char* data = cairo_image_surface_get_data(image.get());
  const int stride = cairo_image_surface_get_stride(image.get());
  for (int y = 0; y < 85; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
    for (int x = 0; x < 94; ++x) {
      const Colour c = SkinColour(x, y);
      row[x] = 0xFF000000u | (RedOf(c) << 16) | (GreenOf(c) << 8) | BlueOf(c);
      if (hole && x >= 30 && x <= 33 && y >= 28 && y <= 31) {
        row[x] = 0;
      }
    }
  }
  cairo_surface_mark_dirty(image.get());
  return std::make_shared<CairoPicture>(std::move(image));
}

class Events final : public BFormEvents {
 public:
  explicit Events(GtkWidget* window) : window_(window) {}
  void DblClick() override { log.push_back("DblClick"); }
  void MouseDown(std::int16_t& b, std::int16_t&, float&, float&) override {
    log.push_back("MouseDown " + std::to_string(b));
    // Where the window is when the event comes: after the drop for a drag.
    gdk_window_get_root_origin(gtk_widget_get_window(window_), &x_at_down, &y_at_down);
  }
  void MouseMove(std::int16_t&, std::int16_t&, float&, float&) override { ++moves; }
  std::vector<std::string> log;
  int x_at_down = -1;
  int y_at_down = -1;
  int moves = 0;

 private:
  GtkWidget* window_;
};

class GtkBarTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display"; }

  void SetUp() override { Xdotool("mousemove 5 5"); }

  void Open(int width, int height, PicturePtr skin = Skin()) {
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_decorated(GTK_WINDOW(window_), FALSE);
    gtk_window_move(GTK_WINDOW(window_), 100, 100);
    fixed_ = gtk_fixed_new();
    gtk_widget_set_size_request(fixed_, width, height);
    gtk_container_add(GTK_CONTAINER(window_), fixed_);
    canvas_ = std::make_unique<FormCanvas>(fixed_, kFormBack);
    bar_ = std::make_unique<BFormWidget>(GTK_FIXED(fixed_), Rect{0, 0, width, 33}, std::move(skin));
    events_ = std::make_unique<Events>(window_);
    bar_->Logic().SetEvents(events_.get());
    bar_->Logic().frmHwnd(0);
    gtk_widget_show_all(window_);
    ASSERT_TRUE(WaitUntil([&] { return gtk_widget_get_mapped(bar_->Widget()); }));
    bar_->Logic().frmHwnd(WindowHandleOf(window_));
    ASSERT_NE(bar_->Logic().frmHwnd(), 0u);
  }

  void TearDown() override {
    bar_.reset();
    canvas_.reset();
    if (window_) {
      gtk_widget_destroy(window_);
    }
    Pump();
  }

  GdkWindow* BarWindow() const { return gtk_widget_get_window(bar_->Widget()); }
  GdkWindow* FormWindow() const { return gtk_widget_get_window(window_); }
  bool BarShows(int x, int y, Colour c) {
    return WaitUntil([&] { return PixelAt(BarWindow(), x, y) == c; });
  }
  std::string BarAt(int x, int y) const {
    int ox = 0;
    int oy = 0;
    gdk_window_get_origin(BarWindow(), &ox, &oy);
    return std::to_string(ox + x) + " " + std::to_string(oy + y);
  }
  Point FormOrigin() const {
    Point p;
    gdk_window_get_root_origin(FormWindow(), &p.x, &p.y);
    return p;
  }
  // The leftmost column and the top row of white (caption) pixels on the bar: glyph
  // pixels wholly covered, whatever the skin under them.
  Point CaptionCorner() const {
    GdkPixbuf* pixbuf = gdk_pixbuf_get_from_window(BarWindow(), 0, 0, 300, 33);
    Point corner{-1, -1};
    if (pixbuf == nullptr) {
      return corner;
    }
    const guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    for (int y = 0; y < 33; ++y) {
      for (int x = 0; x < 300; ++x) {
        const guchar* p = pixels + y * stride + x * channels;
        if (p[0] == 255 && p[1] == 255 && p[2] == 255) {
          if (corner.x < 0 || x < corner.x) {
            corner.x = x;
          }
          if (corner.y < 0) {
            corner.y = y;
          }
        }
      }
    }
    g_object_unref(pixbuf);
    return corner;
  }

  // The rightmost column of white pixels on the bar.
  int CaptionRight() const {
    GdkPixbuf* pixbuf = gdk_pixbuf_get_from_window(BarWindow(), 0, 0, 300, 33);
    int right = -1;
    if (pixbuf == nullptr) {
      return right;
    }
    const guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    for (int y = 0; y < 33; ++y) {
      for (int x = 0; x < 300; ++x) {
        const guchar* p = pixels + y * stride + x * channels;
        // Brighter than any skin pixel (red, green at most 196, blue 128).
        if (p[0] > 200 && p[1] > 200 && p[2] > 200 && x > right) {
          right = x;
        }
      }
    }
    g_object_unref(pixbuf);
    return right;
  }

  GtkWidget* window_ = nullptr;
  GtkWidget* fixed_ = nullptr;
  std::unique_ptr<FormCanvas> canvas_;
  std::unique_ptr<BFormWidget> bar_;
  std::unique_ptr<Events> events_;
};

TEST_F(GtkBarTest, BarIsForcedTo33PixelsHigh) {
  Open(300, 200);
  ASSERT_TRUE(WaitUntil([&] { return gtk_widget_get_allocated_height(bar_->Widget()) == 33; }));
  bar_->Move(Rect{0, 0, 300, 60});
  EXPECT_TRUE(WaitUntil([&] { return gtk_widget_get_allocated_height(bar_->Widget()) == 33; }));
  EXPECT_EQ(gtk_widget_get_allocated_width(bar_->Widget()), 300);
}

TEST_F(GtkBarTest, NarrowBarHasItsRightEndOverItsLeftEnd) {
  Open(80, 120);                                  // 1200 twips: the right end starts at 13 pixels
  EXPECT_TRUE(BarShows(5, 5, SkinColour(5, 5)));  // left end alone
  EXPECT_TRUE(BarShows(20, 5, SkinColour(27 + 7, 5)));  // right end over the left end
  EXPECT_TRUE(BarShows(79, 32, SkinColour(93, 32)));    // the skin's right edge
  EXPECT_TRUE(BarShows(13, 0, SkinColour(27, 0)));
}

TEST_F(GtkBarTest, WideBarRepeatsTheMiddlePiece) {
  Open(300, 120);
  EXPECT_TRUE(BarShows(40, 3, SkinColour(20, 3)));  // middle copy i = 2 at 40
  EXPECT_TRUE(BarShows(59, 3, SkinColour(39, 3)));
  EXPECT_TRUE(BarShows(35, 3, SkinColour(35, 3)));   // left end over the first middle
  EXPECT_TRUE(BarShows(299, 3, SkinColour(93, 3)));  // right end
  EXPECT_TRUE(BarShows(233, 3, SkinColour(27, 3)));
}

TEST_F(GtkBarTest, CaptionStartsFortyPixelsInWithLogoAndTenWithout) {
  Open(300, 120);
  // The new caption is longer than "NewForm" (which ends near 57) the bar starts with:
  // wait until it shows.
  bar_->Logic().Caption("Orvane客户端");
  ASSERT_TRUE(WaitUntil([&] { return CaptionRight() > 70; }));
  const Point plain = CaptionCorner();
  EXPECT_GE(plain.x, 10);
  EXPECT_LE(plain.x, 12);
  EXPECT_GE(plain.y, 10);
  EXPECT_LE(plain.y, 14);
  bar_->Logic().HasLogo(true);
  ASSERT_TRUE(WaitUntil([&] { return CaptionCorner().x != plain.x; }));

  EXPECT_EQ(CaptionCorner().x, plain.x + 30);
  EXPECT_EQ(CaptionCorner().y, plain.y);
}

TEST_F(GtkBarTest, BackColorReadsBackAndShowsWhereTheSkinLetsItThrough) {
  Open(300, 120, Skin(true));
  bar_->Logic().BackColor("255");
  EXPECT_EQ(bar_->Logic().BackColor(), "255");
  EXPECT_TRUE(BarShows(31, 29, Rgb(255, 0, 0)));
  EXPECT_THROW(bar_->Logic().BackColor("red"), NumberedError);
  EXPECT_EQ(bar_->Logic().BackColor(), "255");
  bar_->Logic().Caption("x");  // repaints with the kept colour
  EXPECT_TRUE(BarShows(31, 29, Rgb(255, 0, 0)));
}

TEST_F(GtkBarTest, DragMovesTheWindowAndMouseDownComesAfterTheDrop) {
  Open(300, 120);
  const Point before = FormOrigin();
  Xdotool("mousemove " + BarAt(150, 15));
  ASSERT_TRUE(WaitUntil([&] { return events_->moves > 0; }));
  // The drag runs inside the press handler: the rest of the input comes from outside.
  Xdotool("mousedown 1 sleep 0.3 mousemove_relative 60 40 sleep 0.3 mouseup 1 &");
  ASSERT_TRUE(WaitUntil([&] { return !events_->log.empty(); }));
  EXPECT_THAT(events_->log, ElementsAre("MouseDown 1"));
  EXPECT_EQ(events_->x_at_down, before.x + 60);
  EXPECT_EQ(events_->y_at_down, before.y + 40);
  EXPECT_TRUE(WaitUntil([&] { return FormOrigin() == Point{before.x + 60, before.y + 40}; }));
}

TEST_F(GtkBarTest, DoubleClickRaisesDblClickWithoutDragging) {
  Open(300, 120);
  const Point before = FormOrigin();
  Xdotool("mousemove " + BarAt(150, 15));
  Xdotool("click --repeat 2 --delay 120 1");
  ASSERT_TRUE(WaitUntil([&] { return events_->log.size() == 2; }));
  EXPECT_THAT(events_->log, ElementsAre("MouseDown 1", "DblClick"));
  Pump();
  EXPECT_EQ(FormOrigin(), before);
}

TEST_F(GtkBarTest, RightPressShowsTheArrowAndRaisesMouseDownWithoutDragging) {
  Open(300, 120);
  gdk_window_set_cursor(BarWindow(), nullptr);
  const Point before = FormOrigin();
  Xdotool("mousemove " + BarAt(150, 15) + " mousedown 3 mousemove_relative 40 30 mouseup 3");
  ASSERT_TRUE(WaitUntil([&] { return !events_->log.empty(); }));
  EXPECT_THAT(events_->log, ElementsAre("MouseDown 2"));
  EXPECT_NE(gdk_window_get_cursor(BarWindow()), nullptr);
  EXPECT_EQ(FormOrigin(), before);
}

TEST_F(GtkBarTest, FrmHwndThatNamesNoWindowStillRaisesMouseDown) {
  Open(300, 120);
  bar_->Logic().frmHwnd(0x7FFFFFF0);
  const Point before = FormOrigin();
  Xdotool("mousemove " + BarAt(150, 15) + " click 1");
  ASSERT_TRUE(WaitUntil([&] { return !events_->log.empty(); }));
  EXPECT_THAT(events_->log, ElementsAre("MouseDown 1"));
  EXPECT_EQ(FormOrigin(), before);
}

TEST_F(GtkBarTest, PrintformPaintsTheFrameOfA4500TwipForm) {
  Open(300, 200);
  bar_->Logic().Printform(*canvas_);
  GdkWindow* form = FormWindow();
  // Bottom-right corner: 4000 to 4500 twips, from the skin's (61, 81).
  EXPECT_TRUE(WaitUntil([&] { return PixelAt(form, 267, 196) == SkinColour(61, 81); }));
  EXPECT_EQ(PixelAt(form, 299, 199), SkinColour(93, 84));
  EXPECT_EQ(PixelAt(form, 266, 196), SkinColour(26, 81));  // the bottom edge's copy at 260
  EXPECT_EQ(PixelAt(form, 25, 197), SkinColour(25, 82));   // first bottom copy at 20
  EXPECT_EQ(PixelAt(form, 0, 196), SkinColour(0, 81));     // bottom-left corner
  // The sides: 33-pixel pieces every 20 pixels from 20 down (under the bar at first),
  // each over the one before.
  EXPECT_EQ(PixelAt(form, 1, 40), SkinColour(1, 53));
  EXPECT_EQ(PixelAt(form, 1, 59), SkinColour(1, 72));  // the copy at 40
  EXPECT_EQ(PixelAt(form, 1, 60), SkinColour(1, 53));  // the copy at 60
  EXPECT_EQ(PixelAt(form, 298, 60), SkinColour(92, 53));
  EXPECT_EQ(PixelAt(form, 150, 100), kFormBack);          // the client area is cleared
  EXPECT_EQ(PixelAt(form, 150, 10), SkinColour(30, 10));  // the bar stays on top
}

TEST_F(GtkBarTest, WithoutASkinGivenTheBarLoadsBitmap108) {
  Open(300, 120, nullptr);
  const PicturePtr skin = LoadBitmapPicture(ORVANE_BITMAP_CAPTION_SKIN);
  ASSERT_TRUE(skin);
  EXPECT_EQ(skin->WidthHimetric(), PictureHimetricFromPixels(94));
  EXPECT_EQ(skin->HeightHimetric(), PictureHimetricFromPixels(85));
  // The left end, copied one to one from the skin's corner.
  cairo_surface_t* image = ImageOf(*skin);
  cairo_surface_flush(image);
  const auto* row = reinterpret_cast<const std::uint32_t*>(
      cairo_image_surface_get_data(image) + 5 * cairo_image_surface_get_stride(image));
  const std::uint32_t p = row[5];
  EXPECT_TRUE(BarShows(5, 5, Rgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF)));
}

}  // namespace
}  // namespace orvane::gtk
