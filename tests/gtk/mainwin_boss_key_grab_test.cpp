// The boss key on Linux under Xvfb: F10 grabbed on the root window, pressed with xdotool,
// toggles a real window, and hiding mutes real web views until the window shows again.
// GoogleTest before Xlib, whose macros (None, Bool) would clash with its names.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <string>
#include <vector>

#include "mainwin/boss_key.h"
#include "mainwin/gtk/boss_key_grab.h"
#include "support/gtk/real_input.h"

namespace orvane::gtk {
namespace {

using test_input::WaitUntil;
using test_input::Xdotool;

class WidgetVisibility final : public BossKeyWindow {
 public:
  explicit WidgetVisibility(GtkWidget* window) : window_(window) {}
  bool WindowVisible() const override { return gtk_widget_get_visible(window_); }
  void HideWindow() override { gtk_widget_hide(window_); }
  void ShowWindow() override { gtk_widget_show(window_); }

 private:
  GtkWidget* window_;
};

// A game page as the sound needs it: a real web view's mute.
class WebViewPage final : public browser::Browser {
 public:
  explicit WebViewPage(WebKitWebView* view) : view_(view) {}
  void SetMuted(bool muted) override { webkit_web_view_set_is_muted(view_, muted); }
  bool Muted() const override { return webkit_web_view_get_is_muted(view_); }
  void Navigate(const std::string&) override {}
  void Refresh() override {}
  bool Silent() const override { return true; }
  void Silent(bool) override {}
  std::string LocationURL() const override { return ""; }
  bool DocumentHasContent() const override { return false; }
  void HideScrollBars() override {}
  void Place(const browser::BrowserPlacement&) override {}
  browser::DocumentId TopLevel() const override { return 0; }

 private:
  WebKitWebView* view_;
};

class BossKeyGrabTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display"; }

  void SetUp() override {
    window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    g_object_ref_sink(window);
    gtk_window_set_default_size(GTK_WINDOW(window), 320, 200);
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
    gtk_container_add(GTK_CONTAINER(window), box);
    for (auto*& view : views) {
      view = WEBKIT_WEB_VIEW(webkit_web_view_new());
      gtk_box_pack_start(GTK_BOX(box), GTK_WIDGET(view), TRUE, TRUE, 0);
    }
    gtk_widget_show_all(window);
    WaitUntil([&] { return gtk_widget_get_mapped(window); });
  }
  void TearDown() override {
    gtk_widget_destroy(window);
    g_object_unref(window);
    test_input::Pump();
  }

  bool Visible() const { return gtk_widget_get_visible(window); }

  GtkWidget* window = nullptr;
  WebKitWebView* views[2] = {};
};

TEST_F(BossKeyGrabTest, F10FromAnyWhereTogglesTheWindowWhateverLockIsOn) {
  WidgetVisibility visibility(window);
  WebViewPage playing(views[0]);
  WebViewPage muted_before(views[1]);
  muted_before.SetMuted(true);
  BrowserPagesSound sound([&] { return std::vector<browser::Browser*>{&playing, &muted_before}; });
  BossKey key(visibility, sound);
  BossKeyGrab grab([&] { key.Toggle(); });
  ASSERT_EQ(grab.state(), BossKeyGrab::State::kGrabbed);

  Xdotool("key F10");
  ASSERT_TRUE(WaitUntil([&] { return !Visible(); })) << "F10 did not hide the window";
  EXPECT_TRUE(webkit_web_view_get_is_muted(views[0]));
  EXPECT_TRUE(webkit_web_view_get_is_muted(views[1]));
  Xdotool("key F10");
  ASSERT_TRUE(WaitUntil([&] { return Visible(); })) << "F10 did not show the window";
  EXPECT_FALSE(webkit_web_view_get_is_muted(views[0]));
  EXPECT_TRUE(webkit_web_view_get_is_muted(views[1]));  // the player's own mute stays

  for (const char* lock : {"Num_Lock", "Caps_Lock"}) {
    Xdotool(std::string("key ") + lock);
    Xdotool("key F10");
    EXPECT_TRUE(WaitUntil([&] { return !Visible(); })) << "with " << lock;
    Xdotool("key F10");
    EXPECT_TRUE(WaitUntil([&] { return Visible(); })) << "with " << lock;
    Xdotool(std::string("key ") + lock);
  }
}

TEST_F(BossKeyGrabTest, TheGrabEndsWithTheObject) {
  int presses = 0;
  {
    BossKeyGrab grab([&] { ++presses; });
  }
  Xdotool("key F10");
  for (int i = 0; i < 20; ++i) {
    test_input::Pump();
  }
  EXPECT_EQ(presses, 0);
  BossKeyGrab again([&] { ++presses; });  // nobody holds it now
  EXPECT_EQ(again.state(), BossKeyGrab::State::kGrabbed);
}

TEST_F(BossKeyGrabTest, F10HeldByAnotherClientLeavesTheToggleByCallWorking) {
  Display* other = XOpenDisplay(gdk_display_get_name(gdk_display_get_default()));
  ASSERT_NE(other, nullptr);
  const KeyCode f10 = XKeysymToKeycode(other, XK_F10);
  XGrabKey(other, f10, 0, DefaultRootWindow(other), False, GrabModeAsync, GrabModeAsync);
  XSync(other, False);

  WidgetVisibility visibility(window);
  std::vector<browser::Browser*> no_pages;
  BrowserPagesSound sound([&] { return no_pages; });
  BossKey key(visibility, sound);
  {
    BossKeyGrab grab([&] { key.Toggle(); });
    EXPECT_EQ(grab.state(), BossKeyGrab::State::kRefused);
    key.Toggle();  // the menu's hide/restore
    EXPECT_FALSE(Visible());
    key.Toggle();
    EXPECT_TRUE(Visible());
  }
  XUngrabKey(other, f10, 0, DefaultRootWindow(other));
  XCloseDisplay(other);
}

}  // namespace
}  // namespace orvane::gtk
