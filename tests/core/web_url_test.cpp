// The game page: its load, its browser kept silent and without scroll bars, its title on
// its tab, new windows sent to the system browser, refresh and unload.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/main_window_fakes.h"
#include "mainwin/web_url.h"
#include "tabstrip/tab_item.h"

namespace orvane {
namespace {

using test::Log;

constexpr const char* kGame = "http://s1.game.test/play?account=a";

class WebUrlTest : public ::testing::Test {
 protected:
  Log log;
  test::FakePageViews views{log};
  test::RecordingSystemBrowser system_browser;
  std::shared_ptr<CTabItem> item = std::make_shared<CTabItem>();
  std::unique_ptr<WebUrl> page = std::make_unique<WebUrl>(views, system_browser);

  test::ScriptedBrowser& wb() { return views.pages.at(0)->browser; }
  // The page as the main window opens it: the address, then the tab's introduction.
  void Open(const std::string& address = kGame) {
    page->OpenURL(address);
    page->Initialize(nullptr, item);
  }
};

TEST_F(WebUrlTest, TheFirstUseCreatesTheWindowAndLoadsABlankPageBeforeTheAddress) {
  EXPECT_EQ(page->hWnd(), 0U);
  EXPECT_EQ(page->Browser(), nullptr);
  Open();
  ASSERT_EQ(views.pages.size(), 1U);
  EXPECT_EQ(page->hWnd(), 700U);
  EXPECT_EQ(page->Browser(), &wb());
  EXPECT_EQ(wb().Requested(), (std::vector<std::string>{"about:blank", kGame}));
  // The blank page was replaced while in flight: only the address completes.
  ASSERT_TRUE(wb().FinishLoading());
  EXPECT_EQ(wb().LoadCount("about:blank"), 0);
  EXPECT_EQ(wb().LoadCount(kGame), 1);
}

TEST_F(WebUrlTest, ASecondOpenNavigatesTheSameWindow) {
  Open();
  page->OpenURL("http://s2.game.test/");
  EXPECT_EQ(views.pages.size(), 1U);
  EXPECT_EQ(wb().Requested().back(), "http://s2.game.test/");
}

TEST_F(WebUrlTest, TheBrowserIsMadeSilentWhenADownloadBeginsAndWhenADocumentCompletes) {
  Open();
  wb().FinishLoading();
  wb().Silent(false);
  wb().PageNavigates("http://s1.game.test/next");
  EXPECT_TRUE(wb().Silent());  // DownloadBegin, before the document is there
  wb().Silent(false);
  wb().FinishLoading();
  EXPECT_TRUE(wb().Silent());
}

TEST_F(WebUrlTest, EveryCompletedDocumentHasItsScrollBarsHidden) {
  Open();
  EXPECT_FALSE(wb().ScrollBarsHidden());
  wb().FinishLoading();
  EXPECT_TRUE(wb().ScrollBarsHidden());
  // In-page navigation to other documents: each shows its own until it completes.
  for (const char* next : {"http://s1.game.test/second", "http://s1.game.test/third"}) {
    wb().PageNavigates(next);
    wb().FinishLoading();
    EXPECT_TRUE(wb().ScrollBarsHidden()) << next;
  }
}

TEST_F(WebUrlTest, AFrameCompletingAlsoHidesTheTopLevelDocumentsScrollBars) {
  Open();
  wb().FrameCompletes("http://s1.game.test/frame");
  EXPECT_TRUE(wb().ScrollBarsHidden());
}

TEST_F(WebUrlTest, TheTabCaptionFollowsEveryTitleChangeIncludingAnEmptyTitle) {
  item->SetCaption(std::string("Game") + kGame);
  Open();
  wb().Serve(kGame, {true, "区服一"});
  // Before the document's title the tab keeps the caption it was added with.
  EXPECT_EQ(item->Caption(), std::string("Game") + kGame);
  wb().FinishLoading();
  EXPECT_EQ(item->Caption(), "区服一");
  wb().PageChangesTitle("Boss fight");
  EXPECT_EQ(item->Caption(), "Boss fight");
  wb().PageChangesTitle("");
  EXPECT_EQ(item->Caption(), "");
}

TEST_F(WebUrlTest, NewWindowsOfWebAddressesGoToTheSystemBrowserAndTheTabStays) {
  Open();
  wb().FinishLoading();
  EXPECT_TRUE(wb().PageAsksForNewWindow("https://pay.game.test/topup"));
  EXPECT_TRUE(wb().PageAsksForNewWindow("http://forum.game.test/"));
  EXPECT_EQ(system_browser.opened,
            (std::vector<std::string>{"https://pay.game.test/topup", "http://forum.game.test/"}));
  EXPECT_EQ(wb().LocationURL(), kGame);
}

TEST_F(WebUrlTest, NewWindowsOfOtherSchemesAreRefusedYetNeverOpenAWindow) {
  Open();
  for (const char* address : {"file:///etc/passwd", "javascript:alert(1)",
                              "ms-settings:", "C:\\Windows\\system32\\calc.exe", "http://"}) {
    EXPECT_TRUE(wb().PageAsksForNewWindow(address)) << address;
  }
  EXPECT_TRUE(system_browser.opened.empty());
}

TEST_F(WebUrlTest, RefreshReloadsTheCurrentDocumentNotTheFirstAddress) {
  Open();
  wb().FinishLoading();
  wb().PageNavigates("http://s1.game.test/lobby");
  wb().FinishLoading();
  page->RefreshPage();
  wb().FinishLoading();
  EXPECT_EQ(wb().LoadCount(kGame), 1);
  EXPECT_EQ(wb().LoadCount("http://s1.game.test/lobby"), 2);
}

TEST_F(WebUrlTest, UnloadDestroysTheWindowOnceAndThePageIsNeverLoadedAgain) {
  Open();
  page->Unload();
  EXPECT_EQ(log.back(), "page 700 destroyed");
  EXPECT_EQ(page->hWnd(), 0U);
  EXPECT_EQ(page->Browser(), nullptr);
  page->Unload();
  page->RefreshPage();
  page->OpenURL(kGame);
  EXPECT_EQ(views.pages.size(), 1U);
  EXPECT_EQ(std::count(log.begin(), log.end(), "page 700 destroyed"), 1);
}

TEST_F(WebUrlTest, APageEndsWithItsWindow) {
  Open();
  page.reset();
  EXPECT_EQ(log.back(), "page 700 destroyed");
}

}  // namespace
}  // namespace orvane
