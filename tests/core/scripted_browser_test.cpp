// The scripted browser keeps the real browser's contract, so that flows tested on it hold
// on the real ones.
#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "support/scripted_browser.h"

namespace orvane::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class Owner final : public browser::BrowserEvents {
 public:
  void DownloadBegin() override { log.push_back("begin"); }
  void DocumentComplete(browser::DocumentId document, const std::string& URL) override {
    log.push_back((document == 1 ? "complete " : "frame ") + URL);
  }
  void TitleChange(const std::string& Text) override { log.push_back("title " + Text); }
  void BeforeNavigate2(const std::string& URL, bool& Cancel) override {
    log.push_back("before " + URL);
    Cancel = URL.rfind("app://", 0) == 0;
  }
  void NewWindow(const std::string& URL, bool& Processed) override {
    log.push_back("new window " + URL);
    Processed = true;
  }
  bool ContextMenuAllowed() override { return allow_menu; }
  std::vector<std::string> log;
  bool allow_menu = false;
};

class ScriptedBrowserTest : public ::testing::Test {
 protected:
  ScriptedBrowserTest() {
    browser.Serve("http://a/", {true, "A"});
    browser.Serve("http://b/", {true, "B"});
    browser.Serve("http://empty/", {false, std::nullopt});
  }
  Owner owner;
  ScriptedBrowser browser{owner};
};

TEST_F(ScriptedBrowserTest, ANavigationIsAskedBeginsAndCompletesBeforeItsTitle) {
  browser.Navigate("http://a/");
  EXPECT_THAT(owner.log, ElementsAre("before http://a/", "begin"));
  EXPECT_TRUE(browser.Loading());
  EXPECT_EQ(browser.LocationURL(), "");
  ASSERT_TRUE(browser.FinishLoading());
  EXPECT_THAT(owner.log, ElementsAre("before http://a/", "begin", "complete http://a/", "title A"));
  EXPECT_EQ(browser.LocationURL(), "http://a/");
  EXPECT_TRUE(browser.DocumentHasContent());
  EXPECT_FALSE(browser.FinishLoading());
}

TEST_F(ScriptedBrowserTest, ACancelledNavigationNeverCompletesAndTheDocumentStays) {
  browser.Navigate("http://a/");
  browser.FinishLoading();
  owner.log.clear();
  EXPECT_FALSE(browser.PageNavigates("app://minimize"));
  EXPECT_FALSE(browser.FinishLoading());
  EXPECT_THAT(owner.log, ElementsAre("before app://minimize"));
  EXPECT_EQ(browser.LocationURL(), "http://a/");
  EXPECT_EQ(browser.LoadCount("app://minimize"), 0);
  EXPECT_THAT(browser.Requested(), ElementsAre("http://a/", "app://minimize"));
}

TEST_F(ScriptedBrowserTest, ANavigationReplacedInFlightNeverCompletes) {
  browser.Navigate("http://a/");
  EXPECT_TRUE(browser.PageNavigates("http://b/"));
  ASSERT_TRUE(browser.FinishLoading());
  EXPECT_FALSE(browser.FinishLoading());
  EXPECT_EQ(browser.LoadCount("http://a/"), 0);
  EXPECT_EQ(browser.LoadCount("http://b/"), 1);
  EXPECT_EQ(owner.log.back(), "title B");
}

TEST_F(ScriptedBrowserTest, RefreshCompletesTheCurrentDocumentAgainNotTheFirstAddress) {
  browser.Navigate("http://a/");
  browser.FinishLoading();
  browser.PageNavigates("http://b/");
  browser.FinishLoading();
  browser.HideScrollBars();
  owner.log.clear();
  browser.Refresh();
  ASSERT_TRUE(browser.FinishLoading());
  EXPECT_THAT(owner.log, ElementsAre("begin", "complete http://b/", "title B"));
  EXPECT_EQ(browser.LoadCount("http://b/"), 2);
  EXPECT_EQ(browser.LoadCount("http://a/"), 1);
  EXPECT_FALSE(browser.ScrollBarsHidden()) << "a reloaded document shows its scroll bars again";
}

TEST_F(ScriptedBrowserTest, RefreshBeforeAnyDocumentDoesNothing) {
  browser.Refresh();
  EXPECT_FALSE(browser.Loading());
  EXPECT_THAT(owner.log, IsEmpty());
}

TEST_F(ScriptedBrowserTest, EmptyAndUnservedAddressesCompleteWithoutContentOrTitle) {
  browser.Navigate("http://empty/");
  browser.FinishLoading();
  EXPECT_FALSE(browser.DocumentHasContent());
  browser.Navigate("http://a/");
  browser.FinishLoading();
  EXPECT_TRUE(browser.DocumentHasContent());
  browser.Navigate("http://refused/");
  browser.FinishLoading();
  EXPECT_FALSE(browser.DocumentHasContent());
  EXPECT_EQ(owner.log.back(), "complete http://refused/");
}

TEST_F(ScriptedBrowserTest, FramesTitlesNewWindowsAndMenusReachTheOwner) {
  browser.Navigate("http://a/");
  browser.FinishLoading();
  owner.log.clear();
  browser.FrameCompletes("http://a/frame");
  browser.PageChangesTitle("");
  EXPECT_TRUE(browser.PageAsksForNewWindow("http://shop/"));
  EXPECT_FALSE(browser.UserRightClicks());
  owner.allow_menu = true;
  EXPECT_TRUE(browser.UserRightClicks());
  EXPECT_THAT(owner.log, ElementsAre("frame http://a/frame", "title ", "new window http://shop/"));
  EXPECT_NE(ScriptedBrowser::FrameId(), browser.TopLevel());
  EXPECT_EQ(browser.LocationURL(), "http://a/");
}

TEST_F(ScriptedBrowserTest, ScrollBarsSilenceSoundAndPlaceAreKept) {
  browser.Navigate("http://a/");
  browser.FinishLoading();
  browser.HideScrollBars();
  EXPECT_TRUE(browser.ScrollBarsHidden());
  browser.Silent(true);
  browser.SetMuted(true);
  browser.Place({-2, -2, 104, 54});
  EXPECT_TRUE(browser.Silent());
  EXPECT_TRUE(browser.Muted());
  EXPECT_EQ(browser.Placement().left, -2);
  EXPECT_EQ(browser.Placement().width, 104);
  browser.PageNavigates("http://b/");
  browser.FinishLoading();
  EXPECT_FALSE(browser.ScrollBarsHidden());
}

}  // namespace
}  // namespace orvane::test
