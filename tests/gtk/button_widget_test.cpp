// The skinned button as a real GTK widget under Xvfb, driven by real pointer and key
// input (xdotool), its pixels read back from the X server.
#include <gtk/gtk.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "widgets/gtk/button_widget.h"
#include "widgets/gtk/cairo_picture.h"
#include "widgets/gtk/widget_text.h"
#include "base/units.h"
#include "support/gtk/real_input.h"

namespace orvane::gtk {
namespace {

using namespace orvane::gtk::test_input;

using ::testing::ElementsAre;

constexpr Colour kRed = Rgb(255, 0, 0);
constexpr Colour kGreen = Rgb(0, 255, 0);
constexpr Colour kBlue = Rgb(0, 0, 255);
constexpr Colour kYellow = Rgb(255, 255, 0);
constexpr Colour kCyan = Rgb(0, 255, 255);
constexpr Colour kFormColour = Rgb(40, 40, 40);

// A strip of solid columns: each run of pixels in its own colour.
PicturePtr SolidStrip(const std::vector<std::pair<int, Colour>>& runs, int height) {
  int width = 0;
  for (const auto& run : runs) {
    width += run.first;
  }
  UniqueCairoSurface image = NewBlackImage(width, height);
  UniqueCairo cr(cairo_create(image.get()));
  int x = 0;
  for (const auto& [w, colour] : runs) {
    cairo_set_source_rgb(cr.get(), RedOf(colour) / 255.0, GreenOf(colour) / 255.0,
                         BlueOf(colour) / 255.0);
    cairo_rectangle(cr.get(), x, 0, w, height);
    cairo_fill(cr.get());
    x += w;
  }
  return std::make_shared<CairoPicture>(std::move(image));
}

// The 13 x 22 link strip: normal red, hover green, pressed blue, one yellow column.
PicturePtr LinkStrip() {
  return SolidStrip({{4, kRed}, {4, kGreen}, {4, kBlue}, {1, kYellow}}, 22);
}

class Events final : public iButtonEvents {
 public:
  void Click() override { log.push_back("Click"); }
  void MouseDown(std::int16_t& b, std::int16_t&, float&, float&) override {
    log.push_back("MouseDown " + std::to_string(b));
  }
  void KeyDown(std::int16_t& k, std::int16_t&) override {
    log.push_back("KeyDown " + std::to_string(k));
  }
  void KeyUP(std::int16_t& k, std::int16_t&) override {
    log.push_back("KeyUP " + std::to_string(k));
  }
  void MouseUp(std::int16_t& b, std::int16_t&, float&, float&) override {
    log.push_back("MouseUp " + std::to_string(b));
  }
  void MouseOut() override { log.push_back("MouseOut"); }
  void MouseOver() override { log.push_back("MouseOver"); }
  void DBClick() override { log.push_back("DBClick"); }
  int Count(const std::string& what) const {
    return static_cast<int>(std::count(log.begin(), log.end(), what));
  }
  std::vector<std::string> log;
};

class GtkButtonTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display"; }

  void SetUp() override {
    Xdotool("mousemove 5 5");
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_decorated(GTK_WINDOW(window_), FALSE);
    gtk_window_move(GTK_WINDOW(window_), 100, 100);
    gtk_window_set_default_size(GTK_WINDOW(window_), 300, 120);
    fixed_ = gtk_fixed_new();
    gtk_container_add(GTK_CONTAINER(window_), fixed_);
    GtkCssProvider* css = gtk_css_provider_new();
    gtk_css_provider_load_from_data(css, "* { background: rgb(40,40,40); }", -1, nullptr);
    gtk_style_context_add_provider(gtk_widget_get_style_context(window_), GTK_STYLE_PROVIDER(css),
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(css);
    button_ = std::make_unique<iButtonWidget>(GTK_FIXED(fixed_), Rect{50, 40, 81, 22});
    button_->Logic().SetEvents(&events_);
  }

  void TearDown() override {
    button_.reset();
    gtk_widget_destroy(window_);
    Pump();
  }

  // Shows the window with the button's strip, pointer away, after the creation tick.
  void ShowButton(PicturePtr strip = LinkStrip()) {
    button_->Logic().BackPicture(std::move(strip));
    gtk_widget_show_all(window_);
    ASSERT_TRUE(WaitUntil([&] { return gtk_widget_get_mapped(button_->Widget()); }));
    gdk_window_focus(gtk_widget_get_window(window_), GDK_CURRENT_TIME);
    ASSERT_TRUE(
        WaitUntil([&] { return !button_->Logic().Hovering() && events_.Count("MouseOut") > 0; }));
    events_.log.clear();
  }
  GdkWindow* ButtonWindow() const { return gtk_widget_get_window(button_->Widget()); }
  Colour Pixel(int x, int y) const { return PixelAt(ButtonWindow(), x, y); }
  bool ShowsColour(int x, int y, Colour c) {
    return WaitUntil([&] { return Pixel(x, y) == c; });
  }
  // Root coordinates of a point of the button.
  std::string At(int x, int y) const {
    int ox = 0;
    int oy = 0;
    gdk_window_get_origin(ButtonWindow(), &ox, &oy);
    return std::to_string(ox + x) + " " + std::to_string(oy + y);
  }
  void HoverButton() {
    Xdotool("mousemove " + At(2, 10));
    ASSERT_TRUE(WaitUntil([&] { return button_->Logic().Hovering(); }));
    events_.log.clear();
  }

  GtkWidget* window_ = nullptr;
  GtkWidget* fixed_ = nullptr;
  Events events_;
  std::unique_ptr<iButtonWidget> button_;
};

TEST_F(GtkButtonTest, ThirteenByTwentyTwoStripGivesFourPixelCells) {
  ShowButton();
  const Size size{gtk_widget_get_allocated_width(button_->Widget()),
                  gtk_widget_get_allocated_height(button_->Widget())};
  EXPECT_EQ(size, (Size{4, 22}));
  EXPECT_TRUE(ShowsColour(0, 0, kRed));
  EXPECT_EQ(Pixel(3, 21), kRed);
  // Stretched over a wider button, still one cell.
  button_->Logic().AutoSize(false);
  button_->Move(Rect{50, 40, 81, 22});
  EXPECT_TRUE(ShowsColour(80, 21, kRed));
  EXPECT_EQ(Pixel(40, 10), kRed);
}

TEST_F(GtkButtonTest, LockedShowsThePressedCellAndMovesTheCaptionOnlyInStateTwo) {
  button_->Logic().AutoSize(false);
  button_->Logic().cForeColor(Rgb(255, 255, 255));
  button_->Logic().Caption("OK");
  ShowButton();
  button_->Logic().Locked(true);
  ASSERT_TRUE(ShowsColour(0, 0, kBlue));
  // The leftmost column holding caption pixels, normal and pressed.
  auto caption_left = [&] {
    for (int x = 0; x < 81; ++x) {
      for (int y = 0; y < 22; ++y) {
        if (Pixel(x, y) != kBlue) {
          return x;
        }
      }
    }
    return -1;
  };
  const int normal = caption_left();
  ASSERT_GT(normal, 0);
  button_->Logic().cMouseAction(kStatePressed, false);
  ASSERT_TRUE(WaitUntil([&] { return caption_left() != normal; }));
  EXPECT_EQ(caption_left(), normal + 1);
  EXPECT_EQ(Pixel(0, 0), kBlue);
  button_->Logic().cMouseAction(kStateHover, false);
  ASSERT_TRUE(WaitUntil([&] { return caption_left() == normal; }));
  EXPECT_EQ(Pixel(0, 0), kBlue);
}

TEST_F(GtkButtonTest, IconIsCentredAtTheTopOrBesideTheCaption) {
  UniqueCairoSurface icon_image = NewBlackImage(8, 8);
  {
    UniqueCairo cr(cairo_create(icon_image.get()));
    cairo_set_source_rgb(cr.get(), 0, 1, 1);
    cairo_paint(cr.get());
  }
  button_->Logic().AutoSize(false);
  button_->Logic().Icon(std::make_shared<CairoPicture>(std::move(icon_image)));
  ShowButton();
  auto icon_left = [&] {
    for (int x = 0; x < 81; ++x) {
      if (Pixel(x, 0) == kCyan) {
        return x;
      }
    }
    return -1;
  };
  // 81 pixels wide, 8-pixel icon: 1215 / 2 - 60 twips -> 36.5 pixels, to 36.
  EXPECT_TRUE(WaitUntil([&] { return icon_left() == 36; }));
  EXPECT_EQ(Pixel(36, 7), kCyan);
  EXPECT_NE(Pixel(36, 8), kCyan);
  button_->Logic().cForeColor(Rgb(255, 255, 255));
  button_->Logic().Caption("OK");
  // With a caption the icon is centred on where the caption would start without it.
  UniqueCairoSurface probe(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1));
  UniqueCairo cr(cairo_create(probe.get()));
  const Size text = MeasureLine(cr.get(), button_->Logic().cFont(), "OK");
  ASSERT_GT(text.cx, 0);
  const double icon_width = PictureHimetricFromPixels(8);
  const CaptionPlacement place =
      PlaceCaption(1215, 330, text.cx * 15.0, text.cy * 15.0, &icon_width);
  EXPECT_TRUE(WaitUntil([&] { return icon_left() == TwipsToPixels(place.icon_x); }));
  EXPECT_LT(icon_left(), 36);
}

TEST_F(GtkButtonTest, DoubleClickOnAToggleFlipsValueTwiceWithOneClickAndOneDBClick) {
  button_->Logic().Style(1);
  ShowButton(
      SolidStrip({{4, kRed}, {4, kGreen}, {4, kBlue}, {4, kYellow}, {4, kCyan}, {4, kRed}}, 22));
  HoverButton();
  Xdotool("click --repeat 2 --delay 120 1");
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("MouseUp 1") == 2; }));
  EXPECT_FALSE(button_->Logic().Value());
  EXPECT_THAT(events_.log,
              ElementsAre("MouseDown 1", "MouseUp 1", "Click", "DBClick", "MouseUp 1"));
}

TEST_F(GtkButtonTest, EnterClicksOnEveryRepeatAndSpaceClicksOnRelease) {
  ShowButton();
  gtk_widget_grab_focus(button_->Widget());
  ASSERT_TRUE(WaitUntil([&] { return gtk_widget_has_focus(button_->Widget()); }));
  // Held down, the key repeats: every repeated key down clicks.
  Xdotool("keydown Return");
  const bool repeated = WaitUntil([&] { return events_.Count("KeyDown 13") >= 3; });
  Xdotool("keyup Return");
  ASSERT_TRUE(repeated);
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("KeyUP 13") == 1; }));
  EXPECT_GE(events_.Count("KeyDown 13"), 3);
  EXPECT_EQ(events_.Count("Click"), events_.Count("KeyDown 13"));
  events_.log.clear();
  Xdotool("keydown space");
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("KeyDown 32") == 1; }));
  EXPECT_TRUE(ShowsColour(0, 0, kBlue));  // pressed while down
  EXPECT_EQ(events_.Count("Click"), 0);
  Xdotool("keyup space");
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("Click") == 1; }));
  EXPECT_TRUE(ShowsColour(0, 21, kRed));
  EXPECT_THAT(events_.log, ElementsAre("KeyDown 32", "KeyUP 32", "Click"));
}

TEST_F(GtkButtonTest, FocusMarkOnFocusAndAfterEnterUnlessHovering) {
  button_->Logic().AutoSize(false);
  ShowButton();
  button_->Move(Rect{50, 40, 81, 22});
  ASSERT_TRUE(ShowsColour(80, 0, kRed));
  gtk_widget_grab_focus(button_->Widget());
  // The mark: every other pixel of (3, 3)-(78, 19) inverted.
  EXPECT_TRUE(ShowsColour(3, 3, Rgb(0, 255, 255)));
  EXPECT_EQ(Pixel(4, 3), kRed);
  EXPECT_EQ(Pixel(77, 17), Rgb(0, 255, 255));
  Xdotool("key Return");
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("Click") == 1; }));
  EXPECT_TRUE(ShowsColour(3, 3, Rgb(0, 255, 255)));
  HoverButton();
  Xdotool("key Return");
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("Click") == 1; }));
  EXPECT_TRUE(ShowsColour(3, 3, kGreen));  // repainted hover cell, no mark
}

TEST_F(GtkButtonTest, PressInsideThenReleaseOutside) {
  ShowButton();
  HoverButton();
  Xdotool("mousedown 1");
  ASSERT_TRUE(WaitUntil([&] { return button_->Logic().LeftHeld(); }));
  EXPECT_TRUE(ShowsColour(0, 0, kBlue));
  Xdotool("mousemove " + At(60, 60));
  EXPECT_TRUE(ShowsColour(0, 0, kRed));  // the poll: pressed outside shows normal
  EXPECT_TRUE(button_->Logic().LeftHeld());
  Xdotool("mouseup 1");
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("MouseOut") == 1; }));
  EXPECT_FALSE(button_->Logic().LeftHeld());
  EXPECT_THAT(events_.log, ElementsAre("MouseDown 1", "MouseUp 1", "MouseOut"));
  EXPECT_EQ(Pixel(0, 0), kRed);
}

TEST_F(GtkButtonTest, RightButtonChangesNothing) {
  ShowButton();
  HoverButton();
  ASSERT_TRUE(ShowsColour(0, 0, kGreen));
  Xdotool("click 3");
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("MouseUp 2") == 1; }));
  Pump();
  EXPECT_THAT(events_.log, ElementsAre("MouseDown 2", "MouseUp 2"));
  EXPECT_EQ(Pixel(0, 0), kGreen);
  EXPECT_EQ(button_->Logic().ShownState(), kStateHover);
}

TEST_F(GtkButtonTest, DisabledPushButtonShowsCellThreeBeyondTheStrip) {
  ShowButton();
  button_->Logic().Enabled(false);
  EXPECT_TRUE(ShowsColour(0, 0, kYellow));  // the strip's last column
  EXPECT_EQ(Pixel(1, 0), kBlack);           // beyond the strip
  EXPECT_EQ(Pixel(3, 21), kBlack);
}

TEST_F(GtkButtonTest, DisabledUnderThePointerShowsNormalAfterThePoll) {
  ShowButton();
  HoverButton();
  ASSERT_TRUE(ShowsColour(0, 0, kGreen));
  button_->Logic().Enabled(false);
  // Disabled cell until the poll, which no longer finds the (insensitive) button under
  // the pointer: MouseOut and the normal cell, although the button stays disabled.
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("MouseOut") == 1; }));
  EXPECT_TRUE(ShowsColour(0, 0, kRed));
  EXPECT_FALSE(button_->Logic().Enabled());
}

TEST_F(GtkButtonTest, TransparentStyleCutsOutTheMaskColour) {
  // Cells 10 wide with a magenta right half.
  ShowButton(SolidStrip({{5, kRed}, {5, kMagenta}, {5, kGreen}, {5, kMagenta}, {10, kBlue}}, 22));
  button_->Logic().cBackStyle(0);
  ASSERT_TRUE(ShowsColour(0, 0, kRed));
  // The cut-away half shows the form behind and takes no input.
  GdkWindow* form = gtk_widget_get_window(window_);
  EXPECT_TRUE(WaitUntil([&] { return PixelAt(form, 50 + 7, 40 + 5) == kFormColour; }));
  EXPECT_EQ(PixelAt(form, 50 + 2, 40 + 5), kRed);
  Xdotool("mousemove " + At(7, 5));
  GdkDevice* pointer =
      gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default()));
  ASSERT_TRUE(WaitUntil(
      [&] { return gdk_device_get_window_at_position(pointer, nullptr, nullptr) == form; }));
  EXPECT_FALSE(button_->Logic().Hovering());
  // The part that shows takes the pointer (GDK notices the shaped child from the
  // second move inside it on).
  Xdotool("mousemove " + At(2, 5));
  Xdotool("mousemove " + At(3, 6));
  EXPECT_TRUE(WaitUntil([&] { return button_->Logic().Hovering(); }));
}

TEST_F(GtkButtonTest, StoredDesignComesBackOnAnotherButton) {
  button_->Logic().Style(1);
  button_->Logic().AutoSize(false);
  button_->Logic().Caption("是");
  button_->Logic().BackPicture(
      SolidStrip({{4, kRed}, {4, kGreen}, {4, kBlue}, {4, kYellow}, {4, kCyan}, {4, kRed}}, 22));
  PropertyBag bag;
  PngPictureCodec codec;
  button_->Logic().WriteProperties(bag, codec);
  iButtonWidget copy(GTK_FIXED(fixed_), Rect{150, 40, 60, 22});
  copy.Logic().ReadProperties(bag, codec);
  EXPECT_EQ(copy.Logic().Caption(), "是");
  EXPECT_EQ(copy.Logic().Style(), 1);
  EXPECT_FALSE(copy.Logic().AutoSize());
  gtk_widget_show_all(window_);
  ASSERT_TRUE(WaitUntil([&] { return gtk_widget_get_mapped(copy.Widget()); }));
  // The strip came back through its stored bytes: six cells, the first red.
  EXPECT_TRUE(
      WaitUntil([&] { return PixelAt(gtk_widget_get_window(copy.Widget()), 0, 0) == kRed; }));
  copy.Logic().Value(true);
  EXPECT_TRUE(
      WaitUntil([&] { return PixelAt(gtk_widget_get_window(copy.Widget()), 0, 0) == kYellow; }));
}

}  // namespace
}  // namespace orvane::gtk
