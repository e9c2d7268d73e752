// The borderless behaviour on a real GTK window under Xvfb, resized and clicked with
// real pointer input, asked to close by a real close request, re-fitted when the
// published work area changes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

// After GoogleTest: Xlib's macros (None, Bool) clash with its names.
#include <dlfcn.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "widgets/gtk/borderless_window.h"
#include "widgets/gtk/form_canvas.h"
#include "support/gtk/real_input.h"

namespace orvane::gtk {
namespace {

using namespace orvane::gtk::test_input;

using ::testing::Contains;

constexpr Colour kFormColour = Rgb(0, 160, 0);

void Shell(const std::string& command) {
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

void Xdotool(const std::string& args) {
  Shell("xdotool " + args);
}

std::string Point2(int x, int y) {
  return std::to_string(x) + " " + std::to_string(y);
}

Colour RootPixel(int x, int y) {
  GdkPixbuf* pixbuf = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), x, y, 1, 1);
  if (pixbuf == nullptr) {
    return kInvalidColour;
  }
  const guchar* p = gdk_pixbuf_get_pixels(pixbuf);
  const Colour c = Rgb(p[0], p[1], p[2]);
  g_object_unref(pixbuf);
  return c;
}

// The close request a window manager sends: WM_PROTOCOLS / WM_DELETE_WINDOW. Xlib is
// already loaded with GDK; its two calls are looked up there.
void SendCloseRequest(GtkWidget* window) {
  using SendEvent = int (*)(Display*, Window, int, long, XEvent*);
  using Flush = int (*)(Display*);
  auto send = reinterpret_cast<SendEvent>(dlsym(RTLD_DEFAULT, "XSendEvent"));
  auto flush = reinterpret_cast<Flush>(dlsym(RTLD_DEFAULT, "XFlush"));
  ASSERT_NE(send, nullptr);
  ASSERT_NE(flush, nullptr);
  GdkDisplay* display = gtk_widget_get_display(window);
  Display* xdisplay = gdk_x11_display_get_xdisplay(display);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = gdk_x11_window_get_xid(gtk_widget_get_window(window));
  event.xclient.message_type = gdk_x11_get_xatom_by_name_for_display(display, "WM_PROTOCOLS");
  event.xclient.format = 32;
  event.xclient.data.l[0] =
      static_cast<long>(gdk_x11_get_xatom_by_name_for_display(display, "WM_DELETE_WINDOW"));
  event.xclient.data.l[1] = CurrentTime;
  send(xdisplay, event.xclient.window, False, NoEventMask, &event);
  flush(xdisplay);
}

class Events final : public cSetStyleEvents {
 public:
  void CloseClick() override { log.push_back("CloseClick"); }
  void SettingChange() override { log.push_back("SettingChange"); }
  void MouseSize(std::int32_t zone) override { zones.push_back(zone); }
  int Count(const std::string& what) const {
    return static_cast<int>(std::count(log.begin(), log.end(), what));
  }
  std::vector<std::string> log;
  std::vector<std::int32_t> zones;
};

gboolean KeepOpen(GtkWidget*, GdkEvent*, gpointer) {
  return TRUE;
}

class GtkBorderlessTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display"; }

  void SetUp() override {
    // A desktop's window manager makes the name known; xprop only uses known names.
    gdk_x11_get_xatom_by_name_for_display(gdk_display_get_default(), "_NET_WORKAREA");
    Shell("xprop -root -remove _NET_WORKAREA 2>/dev/null");
    Xdotool("mousemove 600 1010");
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_move(GTK_WINDOW(window_), 100, 100);
    gtk_window_set_default_size(GTK_WINDOW(window_), 1000, 700);
    fixed_ = gtk_fixed_new();
    gtk_container_add(GTK_CONTAINER(window_), fixed_);
    canvas_ = std::make_unique<FormCanvas>(fixed_, kFormColour);
    style_.SetEvents(&events_);
    style_.SetWindowStyle(GTK_WINDOW(window_));
    // The form itself declines to close; the behaviour only reports the request.
    g_signal_connect(window_, "delete-event", G_CALLBACK(KeepOpen), nullptr);
    gtk_widget_show_all(window_);
    ASSERT_TRUE(WaitUntil([&] { return Rect() == EdgeRect{100, 100, 1100, 800}; }));
    canvas_->ClearToBackColor();
    canvas_->Present();
    ASSERT_TRUE(WaitUntil([&] { return RootPixel(500, 400) == kFormColour; }));
  }

  void TearDown() override {
    Shell("xprop -root -remove _NET_WORKAREA 2>/dev/null");
    canvas_.reset();
    gtk_widget_destroy(window_);
    Pump();
  }

  EdgeRect Rect() const {
    GdkRectangle frame{};
    gdk_window_get_frame_extents(gtk_widget_get_window(window_), &frame);
    return EdgeRect{frame.x, frame.y, frame.x + frame.width, frame.y + frame.height};
  }
  bool FormCursorIs(const char* name) const {
    GdkCursor* wanted = gdk_cursor_new_from_name(gtk_widget_get_display(window_), name);
    const bool same = gdk_window_get_cursor(gtk_widget_get_window(window_)) == wanted;
    g_object_unref(wanted);
    return same;
  }
  bool CursorAt(int x, int y) const {
    int px = -1;
    int py = -1;
    gdk_device_get_position(
        gdk_seat_get_pointer(gdk_display_get_default_seat(gtk_widget_get_display(window_))),
        nullptr, &px, &py);
    return px == x && py == y;
  }
  void MoveTo(int x, int y) {
    Xdotool("mousemove " + Point2(x, y));
    Pump();
  }

  GtkWidget* window_ = nullptr;
  GtkWidget* fixed_ = nullptr;
  std::unique_ptr<FormCanvas> canvas_;
  Events events_;
  cSetStyleWindow style_;
};

TEST_F(GtkBorderlessTest, CornerBeatsEdgeWithinFivePixels) {
  MoveTo(500, 400);
  ASSERT_TRUE(WaitUntil([&] { return !events_.zones.empty(); }));
  EXPECT_TRUE(FormCursorIs("default"));
  // 3 pixels from the left edge and 3 from the bottom: the corner wins.
  MoveTo(103, 797);
  ASSERT_TRUE(WaitUntil([&] { return events_.zones.back() == kZoneBottomLeft; }));
  EXPECT_TRUE(FormCursorIs("nesw-resize"));
  MoveTo(103, 400);
  ASSERT_TRUE(WaitUntil([&] { return events_.zones.back() == kZoneLeft; }));
  EXPECT_TRUE(FormCursorIs("ew-resize"));
  MoveTo(1096, 796);
  ASSERT_TRUE(WaitUntil([&] { return events_.zones.back() == kZoneBottomRight; }));
  EXPECT_TRUE(FormCursorIs("nwse-resize"));
  MoveTo(600, 797);
  ASSERT_TRUE(WaitUntil([&] { return events_.zones.back() == kZoneBottom; }));
  EXPECT_TRUE(FormCursorIs("ns-resize"));
}

TEST_F(GtkBorderlessTest, RightEdgeDraggedLeftStopsAt801PixelsAndLeavesNoTrace) {
  MoveTo(1097, 400);
  ASSERT_TRUE(
      WaitUntil([&] { return !events_.zones.empty() && events_.zones.back() == kZoneRight; }));
  Xdotool("mousedown 1");
  ASSERT_TRUE(WaitUntil([&] { return style_.Logic().Resizing(); }));
  // The outline shows from the press on, around the whole window.
  ASSERT_TRUE(WaitUntil([&] { return RootPixel(1099, 300) != kFormColour; }));
  // Each move is seen before the next, so none is merged away.
  for (int x : {950, 901}) {
    MoveTo(x, 400);
    ASSERT_TRUE(WaitUntil([&] { return style_.Logic().DrawnRect().right == x; }));
  }
  MoveTo(850, 400);
  MoveTo(700, 400);
  ASSERT_TRUE(WaitUntil([&] { return CursorAt(700, 400); }));
  EXPECT_EQ(style_.OutlineShown(), (EdgeRect{100, 100, 901, 800}));
  ASSERT_TRUE(WaitUntil([&] { return RootPixel(900, 301) != kFormColour; }));
  Xdotool("mouseup 1");
  ASSERT_TRUE(WaitUntil([&] { return Rect() == EdgeRect{100, 100, 901, 800}; }));
  EXPECT_FALSE(style_.Logic().Resizing());
  EXPECT_FALSE(style_.OutlineShown().has_value());
  // Where the outline ran, the window's own pixels show again.
  canvas_->ClearToBackColor();
  canvas_->Present();
  EXPECT_TRUE(WaitUntil([&] {
    return RootPixel(900, 300) == kFormColour && RootPixel(900, 301) == kFormColour &&
           RootPixel(100, 301) == kFormColour && RootPixel(500, 100) == kFormColour;
  }));
}

TEST_F(GtkBorderlessTest, BottomEdgeDraggedUpStopsAt601Pixels) {
  MoveTo(600, 797);
  ASSERT_TRUE(
      WaitUntil([&] { return !events_.zones.empty() && events_.zones.back() == kZoneBottom; }));
  Xdotool("mousedown 1");
  ASSERT_TRUE(WaitUntil([&] { return style_.Logic().Resizing(); }));
  for (int y : {750, 701}) {
    MoveTo(600, y);
    ASSERT_TRUE(WaitUntil([&] { return style_.Logic().DrawnRect().bottom == y; }));
  }
  MoveTo(600, 650);
  MoveTo(600, 300);
  ASSERT_TRUE(WaitUntil([&] { return CursorAt(600, 300); }));
  EXPECT_EQ(style_.Logic().DrawnRect().bottom, 701);
  Xdotool("mouseup 1");
  EXPECT_TRUE(WaitUntil([&] { return Rect() == EdgeRect{100, 100, 1100, 701}; }));
}

TEST_F(GtkBorderlessTest, MaximisedShowsNoResizePointerStartsNoDragAndRestoresExactly) {
  const FormPlace before{1500, 1500, 15000, 10500};
  EXPECT_TRUE(style_.CallWindowStateChange());
  ASSERT_TRUE(WaitUntil([&] { return Rect() == EdgeRect{0, 0, 1280, 1024}; }));
  EXPECT_EQ(style_.Logic().SavedPlace(), before);
  events_.zones.clear();
  MoveTo(1277, 500);
  MoveTo(1278, 501);
  Xdotool("mousedown 1");
  MoveTo(900, 500);
  Xdotool("mouseup 1");
  Pump();
  EXPECT_TRUE(events_.zones.empty());
  EXPECT_FALSE(FormCursorIs("ew-resize"));
  EXPECT_FALSE(style_.OutlineShown().has_value());
  EXPECT_EQ(Rect(), (EdgeRect{0, 0, 1280, 1024}));
  EXPECT_FALSE(style_.CallWindowStateChange());
  EXPECT_TRUE(WaitUntil([&] { return Rect() == EdgeRect{100, 100, 1100, 800}; }));
}

TEST_F(GtkBorderlessTest, WorkAreaChangeReFitsOnlyAMaximisedWindow) {
  Shell("xprop -root -f _NET_WORKAREA 32cccc -set _NET_WORKAREA 0,0,1280,984");
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("SettingChange") == 1; }));
  Pump();
  EXPECT_EQ(Rect(), (EdgeRect{100, 100, 1100, 800}));
  style_.CallWindowStateChange();
  ASSERT_TRUE(WaitUntil([&] { return Rect() == EdgeRect{0, 0, 1280, 984}; }));
  Shell("xprop -root -f _NET_WORKAREA 32cccc -set _NET_WORKAREA 0,0,1280,944");
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("SettingChange") == 2; }));
  EXPECT_TRUE(WaitUntil([&] { return Rect() == EdgeRect{0, 0, 1280, 944}; }));
  style_.CallWindowStateChange();
  EXPECT_TRUE(WaitUntil([&] { return Rect() == EdgeRect{100, 100, 1100, 800}; }));
}

TEST_F(GtkBorderlessTest, EachCloseRequestRaisesCloseClickOnce) {
  SendCloseRequest(window_);
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("CloseClick") == 1; }));
  SendCloseRequest(window_);
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("CloseClick") == 2; }));
  Pump();
  EXPECT_EQ(events_.Count("CloseClick"), 2);
  EXPECT_TRUE(gtk_widget_get_visible(window_));
}

}  // namespace
}  // namespace orvane::gtk
