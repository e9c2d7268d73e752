// The login screen on its own: its load, its images and surfaces, and its browser's events.
#include <gtest/gtest.h>

#include <string>

#include "base/product.h"
#include "core/start_up_fakes.h"
#include "login/login_frm.h"

namespace orvane {
namespace {

using test::Log;

constexpr const char* kLoginPage = "http://www.test/yy/mirab/microend";

class RecordingOwner final : public LoginScreenOwner {
 public:
  explicit RecordingOwner(Log& log) : log_(log) {}
  void CloseLoginScreen() override { log_.push_back("owner: close login screen"); }
  void OpenGame(const std::string& address) override { log_.push_back("owner: game " + address); }
  void UnloadSplash() override { log_.push_back("owner: unload splash"); }
  void EndProgram() override { log_.push_back("owner: end program"); }
  void OpenInDefaultBrowser(const std::string& address) override {
    log_.push_back("owner: default browser " + address);
  }

 private:
  Log& log_;
};

class LoginFrmTest : public ::testing::Test {
 protected:
  void SetUp() override {
    login.Form_Load(views);
    ASSERT_NE(views.login, nullptr);
    log.clear();
  }
  LoginScreenEvents& Screen() { return views.login->events; }
  browser::BrowserEvents& Browser() { return views.login->browser_events; }
  test::FakeBrowser& WebBrowser1() { return views.login->browser; }

  Log log;
  test::FakeViews views{log};
  test::FakePlatform platform{log};
  RecordingOwner owner{log};
  LoginFrm login{owner, platform, platform, {"/tmp/orvane/", kLoginPage}};
};

TEST(LoginFrmLoad, WritesTheIconFileThenLoadsTheBackgroundAndRequestsThePageShowingNothing) {
  Log log;
  test::FakeViews views{log};
  test::FakePlatform platform{log};
  RecordingOwner owner{log};
  LoginFrm login{owner, platform, platform, {"/tmp/orvane/", kLoginPage}};
  login.Form_Load(views);
  EXPECT_EQ(log, (Log{"login screen created", "save ICON 101 -> /tmp/orvane/mirab.ico",
                      "background loaded 101 " + std::string(kClientTitle),
                      "icon 16 /tmp/orvane/mirab.ico", "icon 32 /tmp/orvane/mirab.ico",
                      std::string("navigate ") + kLoginPage, "colour key 16711422", "owner set"}));
}

TEST(LoginFrmLoad, AnIconFileThatCannotBeWrittenLeavesTheScreenWorking) {
  Log log;
  test::FakeViews views{log};
  test::FakePlatform platform{log};
  platform.resources_writable = false;
  RecordingOwner owner{log};
  LoginFrm login{owner, platform, platform, {"/tmp/orvane/", kLoginPage}};
  login.Form_Load(views);
  EXPECT_EQ(log.back(), "owner set");
}

TEST(LoginFrmLoad, WithoutATemporaryFolderNoIconFileIsWrittenAnywhere) {
  Log log;
  test::FakeViews views{log};
  test::FakePlatform platform{log};
  RecordingOwner owner{log};
  LoginFrm login{owner, platform, platform, {"", kLoginPage}};
  login.Form_Load(views);
  EXPECT_EQ(log, (Log{"login screen created", "background loaded 101 " + std::string(kClientTitle),
                      std::string("navigate ") + kLoginPage, "colour key 16711422", "owner set"}));
}

TEST_F(LoginFrmTest, TheImagesMinimiseAndClose) {
  Screen().MiniBtn_Click();
  EXPECT_EQ(log, Log{"minimize background"});
  Screen().CloseBtn_Click();
  EXPECT_EQ(log, (Log{"minimize background", "owner: close login screen"}));
  EXPECT_TRUE(login.Closing());
}

TEST_F(LoginFrmTest, AClosingScreenActsOnNothingMore) {
  Screen().CloseBtn_Click();
  log.clear();
  Screen().CloseBtn_Click();
  Screen().MiniBtn_Click();
  Screen().LoginBgFrm_CloseRequested();
  Screen().LoginBgFrm_MouseDown(true);
  bool cancel = false;
  Browser().BeforeNavigate2("http://www.test/next", cancel);
  EXPECT_TRUE(cancel);
  WebBrowser1().location = kLoginPage;
  Browser().DocumentComplete(1, kLoginPage);
  EXPECT_EQ(log, Log{});
}

TEST_F(LoginFrmTest, TheLeftButtonOnASurfaceDragsItsWindowOtherButtonsDoNothing) {
  Screen().LoginBgFrm_MouseDown(false);
  Screen().LoginFrm_MouseDown(false);
  EXPECT_EQ(log, Log{});
  Screen().LoginBgFrm_MouseDown(true);
  Screen().LoginFrm_MouseDown(true);
  EXPECT_EQ(log, (Log{"drag background", "drag login"}));
}

TEST_F(LoginFrmTest, TheSystemCloseOfTheBackgroundClosesTheScreen) {
  Screen().LoginBgFrm_CloseRequested();
  EXPECT_EQ(log, Log{"owner: close login screen"});
}

TEST_F(LoginFrmTest, DownloadsAndCompletionsMakeTheBrowserSilent) {
  Browser().DownloadBegin();
  EXPECT_TRUE(WebBrowser1().silent);
  WebBrowser1().silent = false;
  WebBrowser1().location = kLoginPage;
  Browser().DocumentComplete(7, "http://ads.test/frame");
  EXPECT_TRUE(WebBrowser1().silent);
}

TEST_F(LoginFrmTest, TheTopDocumentShowsThePairAFrameDoesNot) {
  WebBrowser1().location = kLoginPage;
  Browser().DocumentComplete(7, "http://ads.test/frame");
  EXPECT_EQ(log, Log{});
  Browser().DocumentComplete(1, kLoginPage);
  EXPECT_EQ(log, (Log{"show background", "show login", "owner: unload splash"}));
}

TEST_F(LoginFrmTest, AnEmptyPageEndsTheProgramWithTheMessage) {
  WebBrowser1().location = kLoginPage;
  WebBrowser1().has_content = false;
  Browser().DocumentComplete(1, kLoginPage);
  EXPECT_EQ(log, (Log{"message 提示 warning ok 未能连接到服务器，请检查网络连接是否正常！",
                      "owner: end program"}));
}

TEST_F(LoginFrmTest, PageCommandsReachTheOwner) {
  bool cancel = false;
  Browser().BeforeNavigate2("app://loadgame|http://game.test/s1|http://other.test/", cancel);
  EXPECT_TRUE(cancel);
  EXPECT_EQ(log, (Log{"owner: close login screen", "owner: game http://game.test/s1"}));
}

TEST_F(LoginFrmTest, OrdinaryAddressesAndCapitalCommandsAreNavigated) {
  bool cancel = false;
  Browser().BeforeNavigate2("http://www.test/help", cancel);
  Browser().BeforeNavigate2("APP://EXITGAME", cancel);
  EXPECT_FALSE(cancel);
  EXPECT_EQ(log, Log{});
}

TEST_F(LoginFrmTest, NewWindowsGoToTheSystemBrowserOnlyForWebAddresses) {
  bool processed = false;
  Browser().NewWindow("https://www.test/register", processed);
  EXPECT_TRUE(processed);
  processed = false;
  Browser().NewWindow("file:///etc/passwd", processed);
  EXPECT_TRUE(processed);
  Browser().NewWindow("javascript:alert(1)", processed);
  EXPECT_EQ(log, Log{"owner: default browser https://www.test/register"});
}

TEST_F(LoginFrmTest, TheLoginPageShowsNoContextMenuAndKeepsTheClientsCaption) {
  EXPECT_FALSE(Browser().ContextMenuAllowed());
  Browser().TitleChange("Some page title");
  EXPECT_EQ(log, Log{});
}

}  // namespace
}  // namespace orvane
