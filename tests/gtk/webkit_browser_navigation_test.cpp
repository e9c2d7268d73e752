// The WebKit browser's navigation events against the local publisher: what is asked before
// a navigation, what completes, what reads as content, titles, new windows and refresh.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "webkit_browser_rig.h"

namespace orvane::gtk::test {
namespace {

using ::testing::ElementsAre;

// How many windows of this process are open; the list GTK hands out is the caller's.
guint ToplevelCount() {
  GList* toplevels = gtk_window_list_toplevels();
  const guint count = g_list_length(toplevels);
  g_list_free(toplevels);
  return count;
}

class WebKitNavigationTest : public WebKitBrowserTest {
 protected:
  BrowserWindow page{Context()};

  // Navigates and waits for the completion of that document.
  void Open(const std::string& url) {
    const std::size_t before = page.owner.completed.size();
    page.browser->Navigate(url);
    ASSERT_TRUE(WaitForCompletions(page.owner, before + 1)) << url;
  }
  std::string Location() { return Evaluate(page.View(), "location.href"); }
};

TEST_F(WebKitNavigationTest, ANavigationIsAskedThenBeginsThenCompletesOnceWithItsAddress) {
  const std::string url = Url("/_test/page?title=one");
  Open(url);
  Settle(page.View());
  EXPECT_EQ(std::count(page.owner.log.begin(), page.owner.log.end(), "before " + url), 1);
  const auto before = std::find(page.owner.log.begin(), page.owner.log.end(), "before " + url);
  const auto begin = std::find(page.owner.log.begin(), page.owner.log.end(), "begin");
  const auto complete = std::find(page.owner.log.begin(), page.owner.log.end(), "complete " + url);
  EXPECT_TRUE(before < begin && begin < complete) << ::testing::PrintToString(page.owner.log);
  EXPECT_THAT(page.owner.completed, ElementsAre(url));
  EXPECT_THAT(page.owner.documents, ElementsAre(page.browser->TopLevel()));
  EXPECT_EQ(page.browser->LocationURL(), url);
  EXPECT_TRUE(page.browser->DocumentHasContent());
  EXPECT_NE(std::find(page.owner.titles.begin(), page.owner.titles.end(), "one"),
            page.owner.titles.end());
}

TEST_F(WebKitNavigationTest, PageCommandsByLinkAndByScriptAreCancelledAndThePageStays) {
  const std::string url = Url("/_test/page?title=one");
  Open(url);
  Evaluate(page.View(), "document.getElementById('minlink').click(); 0");
  ASSERT_TRUE(WaitFor([&] { return page.owner.navigations.size() >= 2; }));
  Evaluate(page.View(), "goMinimize(); 0");
  ASSERT_TRUE(WaitFor([&] { return page.owner.navigations.size() >= 3; }));
  Settle(page.View());
  EXPECT_THAT(page.owner.navigations, ElementsAre(url, "app://minimize", "app://minimize"));
  EXPECT_THAT(page.owner.completed, ElementsAre(url));
  EXPECT_EQ(Location(), url);
  EXPECT_EQ(page.browser->LocationURL(), url);
}

TEST_F(WebKitNavigationTest, ACancelledLinkStaysAndTheSameLinkNavigatesWhenAllowed) {
  const std::string url = Url("/_test/page?title=one");
  const std::string second = Url("/_test/page?title=second");
  Open(url);
  page.owner.cancel_containing = "title=second";
  Evaluate(page.View(), "document.getElementById('next').click(); 0");
  ASSERT_TRUE(WaitFor([&] { return page.owner.navigations.size() >= 2; }));
  Settle(page.View());
  EXPECT_THAT(page.owner.completed, ElementsAre(url));
  EXPECT_EQ(Location(), url);

  page.owner.cancel_containing = "app://";
  Evaluate(page.View(), "document.getElementById('next').click(); 0");
  ASSERT_TRUE(WaitForCompletions(page.owner, 2));
  EXPECT_THAT(page.owner.navigations, ElementsAre(url, second, second));
  EXPECT_THAT(page.owner.completed, ElementsAre(url, second));
  EXPECT_EQ(page.browser->LocationURL(), second);
  EXPECT_TRUE(WaitFor([&] { return page.owner.LastTitle() == "second"; }))
      << page.owner.LastTitle();
}

TEST_F(WebKitNavigationTest, AFrameIsAskedForButOnlyTheTopLevelDocumentCompletes) {
  const std::string url = Url("/_test/page?title=framed&frame=1");
  Open(url);
  const std::string frame = Url("/_test/counted?key=frame-framed");
  ASSERT_TRUE(WaitFor([&] {
    return std::find(page.owner.navigations.begin(), page.owner.navigations.end(), frame) !=
           page.owner.navigations.end();
  }));
  Settle(page.View());
  EXPECT_THAT(page.owner.completed, ElementsAre(url));
  EXPECT_TRUE(WaitFor([&] { return page.owner.LastTitle() == "framed"; }))
      << page.owner.LastTitle();
}

TEST_F(WebKitNavigationTest, RefusedConnectionEmptyBodyAndErrorStatusReadAsNoContent) {
  Open(Url("/_test/page?title=one"));
  ASSERT_TRUE(page.browser->DocumentHasContent());

  const std::string refused = RefusedUrl();
  Open(refused);
  EXPECT_FALSE(page.browser->DocumentHasContent()) << refused;
  EXPECT_EQ(page.owner.completed.back(), refused);

  Open(Url("/_test/page?title=again"));
  EXPECT_TRUE(page.browser->DocumentHasContent());
  Open(Url("/_test/page?empty=1"));
  EXPECT_FALSE(page.browser->DocumentHasContent());
  Open(Url("/no/such/page"));
  EXPECT_FALSE(page.browser->DocumentHasContent());
  Settle(page.View());
  // Each navigation completed exactly once, error pages included.
  EXPECT_EQ(page.owner.completed.size(), 5u) << ::testing::PrintToString(page.owner.completed);
}

TEST_F(WebKitNavigationTest, TitlesAreFollowedIncludingAChangeToEmpty) {
  Open(Url("/_test/page?title=before"));
  ASSERT_TRUE(WaitFor([&] { return page.owner.LastTitle() == "before"; }))
      << page.owner.LastTitle();
  Evaluate(page.View(), "blankTitle(); 0");
  ASSERT_TRUE(WaitFor([&] { return page.owner.LastTitle().empty(); }));
  Open(Url("/_test/page?title=after"));
  EXPECT_TRUE(WaitFor([&] { return page.owner.LastTitle() == "after"; })) << page.owner.LastTitle();
}

TEST_F(WebKitNavigationTest, NewWindowsByScriptAndByTargetAreReportedAndNothingOpens) {
  const std::string url = Url("/_test/page?title=one");
  Open(url);
  const guint toplevels = ToplevelCount();
  Evaluate(page.View(), "popUp(); 0");
  ASSERT_TRUE(WaitFor([&] { return page.owner.new_windows.size() >= 1; }));
  Evaluate(page.View(), "document.getElementById('blank').click(); 0");
  ASSERT_TRUE(WaitFor([&] { return page.owner.new_windows.size() >= 2; }));
  Settle(page.View());
  EXPECT_THAT(page.owner.new_windows,
              ElementsAre(Url("/_test/page?title=opened"), Url("/_test/page?title=blank")));
  EXPECT_THAT(page.owner.completed, ElementsAre(url));
  EXPECT_EQ(Location(), url);
  EXPECT_EQ(ToplevelCount(), toplevels);
}

TEST_F(WebKitNavigationTest, RefreshLoadsTheCurrentDocumentAgainNotTheFirstAddress) {
  const std::string key = "refresh-" + std::to_string(g_get_monotonic_time());
  Open(Url("/_test/counted?key=" + key + "a"));
  Open(Url("/_test/counted?key=" + key + "b"));
  ASSERT_TRUE(WaitFor([&] { return page.owner.LastTitle() == key + "b 1"; }))
      << page.owner.LastTitle();
  page.browser->Refresh();
  ASSERT_TRUE(WaitForCompletions(page.owner, 3));
  EXPECT_EQ(page.owner.completed.back(), Url("/_test/counted?key=" + key + "b"));
  EXPECT_TRUE(WaitFor([&] { return page.owner.LastTitle() == key + "b 2"; }))
      << page.owner.LastTitle();
  Open(Url("/_test/counted?key=" + key + "a"));
  EXPECT_TRUE(WaitFor([&] { return page.owner.LastTitle() == key + "a 2"; }))
      << page.owner.LastTitle();
}

}  // namespace
}  // namespace orvane::gtk::test
