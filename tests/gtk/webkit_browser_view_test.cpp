// The WebKit browser's view: scroll bars hidden on every document, the context menu asked
// of the owner, placement in its container, sound, the compositing decision, and the web
// context that keeps cookies across a restart.
#include <gtest/gtest.h>

#include <string>

#include "browser/compositing.h"
#include "support/gtk/real_input.h"
#include "webkit_browser_rig.h"

namespace orvane::gtk::test {
namespace {

// The width the vertical scroll bar takes from the page's viewport.
int ScrollBarWidth(WebKitWebView* view) {
  return std::stoi(
      Evaluate(view, "String(window.innerWidth - document.documentElement.clientWidth)"));
}

// The context menu WebKit pops up, if one is on screen.
GtkWidget* ShownMenu() {
  GtkWidget* found = nullptr;
  GList* windows = gtk_window_list_toplevels();
  for (GList* l = windows; l != nullptr; l = l->next) {
    GtkWidget* window = GTK_WIDGET(l->data);
    GtkWidget* child = gtk_bin_get_child(GTK_BIN(window));
    if (gtk_widget_get_mapped(window) && child != nullptr && GTK_IS_MENU(child)) {
      found = child;
    }
  }
  g_list_free(windows);
  return found;
}

using WebKitViewTest = WebKitBrowserTest;

// Classic scroll bars, which take room from the page, so that their width can be measured
// (overlay scroll bars take none).
class ClassicScrollBars {
 public:
  ClassicScrollBars() {
    g_object_get(gtk_settings_get_default(), "gtk-overlay-scrolling", &before_, nullptr);
    g_object_set(gtk_settings_get_default(), "gtk-overlay-scrolling", FALSE, nullptr);
  }
  ~ClassicScrollBars() {
    g_object_set(gtk_settings_get_default(), "gtk-overlay-scrolling", before_, nullptr);
  }

 private:
  gboolean before_ = TRUE;
};

TEST_F(WebKitViewTest, ScrollBarsAreHiddenOnTheFirstAndTheSecondDocument) {
  ClassicScrollBars classic;
  BrowserWindow page(Context());
  page.browser->Navigate(Url("/_test/page?title=tall"));
  ASSERT_TRUE(WaitForCompletions(page.owner, 1));
  // The measure itself: a tall page shows a vertical scroll bar that takes width.
  ASSERT_GT(ScrollBarWidth(page.View()), 0);

  page.owner.on_complete = [&] { page.browser->HideScrollBars(); };
  page.browser->Refresh();
  ASSERT_TRUE(WaitForCompletions(page.owner, 2));
  EXPECT_EQ(ScrollBarWidth(page.View()), 0);
  Evaluate(page.View(), "document.getElementById('next').click(); 0");
  ASSERT_TRUE(WaitForCompletions(page.owner, 3));
  EXPECT_EQ(page.owner.completed.back(), Url("/_test/page?title=second"));
  EXPECT_EQ(ScrollBarWidth(page.View()), 0);
}

TEST_F(WebKitViewTest, ScrollBarsHiddenBeforeTheFirstDocumentNeverShow) {
  ClassicScrollBars classic;
  BrowserWindow page(Context());
  page.browser->HideScrollBars();
  page.browser->Navigate(Url("/_test/page?title=tall"));
  ASSERT_TRUE(WaitForCompletions(page.owner, 1));
  EXPECT_EQ(ScrollBarWidth(page.View()), 0);
}

TEST_F(WebKitViewTest, ARightClickShowsAMenuOnlyWhenTheOwnerAllowsIt) {
  BrowserWindow page(Context());
  page.browser->Navigate(Url("/_test/page?title=menu"));
  ASSERT_TRUE(WaitForCompletions(page.owner, 1));
  gtk_window_move(GTK_WINDOW(page.window), 0, 0);
  gtk_window_present(GTK_WINDOW(page.window));
  Settle(page.View());
  gint x = 0;
  gint y = 0;
  gdk_window_get_origin(gtk_widget_get_window(page.browser->Widget()), &x, &y);
  const std::string at = std::to_string(x + 200) + " " + std::to_string(y + 150);

  // Refused: the right click reaches WebKit, which asks the owner, and no menu shows.
  page.owner.allow_menu = false;
  test_input::Xdotool("mousemove " + at + " click 3");
  ASSERT_TRUE(WaitFor([&] { return page.owner.menu_requests == 1; }))
      << "the right click reaches the view, which asks its owner";
  Settle(page.View());
  PumpFor(1000);  // gives a menu every chance to appear
  EXPECT_EQ(ShownMenu(), nullptr);
  EXPECT_EQ(page.owner.menu_requests, 1);

  // Allowed: asked again, and WebKit's menu shows; Escape closes it.
  page.owner.allow_menu = true;
  test_input::Xdotool("mousemove " + at + " click 3");
  ASSERT_TRUE(WaitFor([] { return ShownMenu() != nullptr; }))
      << "with the owner's leave, WebKit's menu shows";
  EXPECT_EQ(page.owner.menu_requests, 2);
  test_input::Xdotool("key Escape");
  EXPECT_TRUE(WaitFor([] { return ShownMenu() == nullptr; })) << "Escape closes the menu";
  if (GtkWidget* menu = ShownMenu()) {
    gtk_menu_popdown(GTK_MENU(menu));  // leaves no grab behind for the next test
  }
}

TEST_F(WebKitViewTest, PlaceMovesAndSizesTheViewInsideItsContainer) {
  BrowserWindow page(Context(), 300, 200);
  page.browser->Place({-2, -2, 304, 204});
  GtkAllocation allocation{};
  ASSERT_TRUE(WaitFor([&] {
    gtk_widget_get_allocation(page.browser->Widget(), &allocation);
    return allocation.width == 304;
  }));
  EXPECT_EQ(allocation.x, -2);
  EXPECT_EQ(allocation.y, -2);
  EXPECT_EQ(allocation.height, 204);
}

TEST_F(WebKitViewTest, MuteAndUnmuteReachTheView) {
  BrowserWindow page(Context());
  page.browser->SetMuted(true);
  EXPECT_TRUE(webkit_web_view_get_is_muted(page.View()));
  EXPECT_TRUE(page.browser->Muted());
  page.browser->SetMuted(false);
  EXPECT_FALSE(webkit_web_view_get_is_muted(page.View()));
}

TEST_F(WebKitViewTest, ASoftwareRendererTurnsCompositingOffInEveryView) {
  // Xvfb offers Mesa's software rasterisers only.
  EXPECT_FALSE(UseAcceleratedCompositing());
  BrowserWindow page(Context());
  EXPECT_EQ(
      webkit_settings_get_hardware_acceleration_policy(webkit_web_view_get_settings(page.View())),
      WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
}

TEST_F(WebKitViewTest, CookiesSurviveANewWebContextOnTheSameFolders) {
  const std::string value = "v" + std::to_string(g_get_monotonic_time());
  const WebContextFolders folders{Folder() + "/cookies/data", Folder() + "/cookies/cache"};
  {
    UniqueGObject<WebKitWebContext> first = NewPersistentWebContext(folders);
    BrowserWindow page(first.get());
    page.browser->Navigate(Url("/_test/cookie?set=" + value));
    ASSERT_TRUE(WaitForCompletions(page.owner, 1));
    page.browser->Navigate(Url("/_test/cookie"));
    ASSERT_TRUE(WaitForCompletions(page.owner, 2));
    ASSERT_TRUE(WaitFor([&] { return page.owner.LastTitle() == "cookie=" + value; }))
        << page.owner.LastTitle();
  }
  EXPECT_TRUE(g_file_test((folders.data + "/cookies.sqlite").c_str(), G_FILE_TEST_EXISTS));

  UniqueGObject<WebKitWebContext> second = NewPersistentWebContext(folders);
  BrowserWindow again(second.get());
  again.browser->Navigate(Url("/_test/cookie"));
  ASSERT_TRUE(WaitForCompletions(again.owner, 1));
  EXPECT_TRUE(WaitFor([&] { return again.owner.LastTitle() == "cookie=" + value; }))
      << again.owner.LastTitle();

  // Other folders know nothing of it: the cookie came from the folders, not the process.
  UniqueGObject<WebKitWebContext> other =
      NewPersistentWebContext({Folder() + "/other/data", Folder() + "/other/cache"});
  BrowserWindow elsewhere(other.get());
  elsewhere.browser->Navigate(Url("/_test/cookie"));
  ASSERT_TRUE(WaitForCompletions(elsewhere.owner, 1));
  EXPECT_TRUE(WaitFor([&] { return elsewhere.owner.LastTitle() == "cookie="; }))
      << elsewhere.owner.LastTitle();
}

}  // namespace
}  // namespace orvane::gtk::test
