// The client around the main window: a login opens it with the game's tab, further logins
// add tabs, the login screen no longer ends the program once the main window is there, the
// main window's unload ends it, the update command, and game addresses handed over by a
// second start.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/client.h"
#include "base/product.h"
#include "core/start_up_fakes.h"
#include "tabstrip/tab_item.h"

namespace orvane {
namespace {

using test::Log;

constexpr const char* kTemp = "/tmp/orvane/";
constexpr const char* kUpdateUrl = "http://static.test/gamehome/mirab/update.txt";
constexpr const char* kLoginPage = "http://www.test/yy/mirab/microend";
constexpr const char* kPortal = "https://portal.test/zt/mirab/";
constexpr const char* kGame1 = "http://s1.game.test/play?account=a";
constexpr const char* kGame2 = "http://s2.game.test/play?account=b";

class ClientMainWindowTest : public ::testing::Test {
 protected:
  Log log;
  test::FakeViews views{log};
  test::FakePlatform platform{log};
  Client client{views,
                {platform, platform, platform, platform, platform, platform, platform, platform,
                 platform, platform, platform},
                {{kTemp, kUpdateUrl, std::string(kVersionText), "/opt/orvane|/opt/orvane/orvane"},
                 "http://www.test/",
                 kLoginPage,
                 kPortal}};

  void SetUp() override {
    platform.published = "version=" + std::string(kVersionText) + "\r\n";
    ASSERT_TRUE(client.Start(""));
    CompleteLoginPage();
  }
  bool Logged(const std::string& line) const {
    return std::find(log.begin(), log.end(), line) != log.end();
  }
  long Count(const std::string& line) const { return std::count(log.begin(), log.end(), line); }
  void CompleteLoginPage() {
    ASSERT_NE(views.login, nullptr);
    views.login->browser.location = kLoginPage;
    views.login->browser.has_content = true;
    views.login->browser_events.DocumentComplete(1, kLoginPage);
  }
  // The login page hands over the game address of the account that logged in.
  void LogIn(const std::string& address) {
    ASSERT_NE(views.login, nullptr);
    bool cancel = false;
    views.login->browser_events.BeforeNavigate2("app://loadgame|" + address + "|x", cancel);
    EXPECT_TRUE(cancel);
    platform.RunPosted();
    views.login = nullptr;  // unloaded
  }
  // Runs the loop until nothing is left posted (a close check posts the window's release).
  void RunLoop() {
    while (!platform.posted.empty()) {
      platform.RunPosted();
    }
  }
  CTabItems& tabs() { return views.main->strip.TabItems(); }
  void AnswerWith(bool yes) {
    views.msg_views.on_shown = [yes](test::FakeMsgFrmView& msg) {
      test::Click(yes ? msg.yes.button : msg.no.button);
    };
  }
};

TEST_F(ClientMainWindowTest, ALoginClosesTheScreenAndOpensTheMainWindowWithTheGamesTab) {
  log.clear();
  LogIn(kGame1);
  // The login screen asked to close before the main window was made.
  ASSERT_TRUE(Logged("main created"));
  EXPECT_LT(std::find(log.begin(), log.end(), "posted"),
            std::find(log.begin(), log.end(), "main created"));
  EXPECT_TRUE(Logged("login screen unloaded"));
  EXPECT_FALSE(client.LoginScreenLoaded());
  EXPECT_TRUE(client.MainWindowLoaded());
  EXPECT_FALSE(client.Ended());
  EXPECT_FALSE(Logged("quit 0"));
  ASSERT_EQ(tabs().Count(), 1);
  EXPECT_EQ(tabs().Item(0)->Caption(), std::string("Game") + kGame1);
  EXPECT_TRUE(views.main->visible);
  EXPECT_TRUE(views.main->maximised);
  // The tab opened before the window showed.
  EXPECT_LT(std::find(log.begin(), log.end(), "hide Picture1"),
            std::find(log.begin(), log.end(), "show"));
}

TEST_F(ClientMainWindowTest, AFurtherLoginAddsATabAndTheSameAccountAgainSelectsItsTab) {
  LogIn(kGame1);
  test::Click(views.main->other_user.button);
  EXPECT_TRUE(client.LoginScreenLoaded());
  EXPECT_EQ(Count("login screen created"), 2);
  CompleteLoginPage();
  LogIn(kGame2);
  ASSERT_EQ(tabs().Count(), 2);
  EXPECT_EQ(tabs().Selected(), 1);
  test::Click(views.main->other_user.button);
  CompleteLoginPage();
  LogIn(kGame1);
  EXPECT_EQ(tabs().Count(), 2);
  EXPECT_EQ(tabs().Selected(), 0);
  EXPECT_EQ(Count("main created"), 1);
  EXPECT_FALSE(client.Ended());
}

TEST_F(ClientMainWindowTest, ClosingALaterLoginScreenLeavesTheGameRunning) {
  LogIn(kGame1);
  test::Click(views.main->other_user.button);
  CompleteLoginPage();
  views.login->events.CloseBtn_Click();
  platform.RunPosted();
  EXPECT_FALSE(client.LoginScreenLoaded());
  EXPECT_TRUE(client.MainWindowLoaded());
  EXPECT_FALSE(client.Ended());
}

TEST_F(ClientMainWindowTest, AnEmptyLaterLoginPageIsReportedAndClosesOnlyTheLoginScreen) {
  LogIn(kGame1);
  test::Click(views.main->other_user.button);
  ASSERT_NE(views.login, nullptr);
  views.login->browser.location = kLoginPage;
  views.login->browser.has_content = false;
  views.login->browser_events.DocumentComplete(1, kLoginPage);
  EXPECT_TRUE(Logged("message 提示 warning ok 未能连接到服务器，请检查网络连接是否正常！"));
  platform.RunPosted();
  EXPECT_FALSE(client.LoginScreenLoaded());
  EXPECT_TRUE(client.MainWindowLoaded());
  EXPECT_FALSE(client.Ended());
  EXPECT_EQ(tabs().Count(), 1);
}

TEST_F(ClientMainWindowTest, TheMainWindowsUnloadEndsTheProgram) {
  LogIn(kGame1);
  AnswerWith(true);
  test::Click(views.main->close.button);
  RunLoop();
  EXPECT_TRUE(client.Ended());
  EXPECT_FALSE(client.MainWindowLoaded());
  EXPECT_EQ(Count("quit 0"), 1);
  EXPECT_TRUE(Logged("main destroyed"));
}

TEST_F(ClientMainWindowTest, ADeclinedConfirmationKeepsTheProgramRunning) {
  LogIn(kGame1);
  AnswerWith(false);
  views.main->events.Form_CloseRequested();
  platform.RunPosted();
  EXPECT_FALSE(client.Ended());
  EXPECT_TRUE(client.MainWindowLoaded());
}

TEST_F(ClientMainWindowTest, AnUpdateAcceptedFromTheMenuClosesTheWindowWithoutAskingAndEnds) {
  LogIn(kGame1);
  test::Click(views.main->tool.button);
  ASSERT_NE(views.main->popped, nullptr);
  platform.published = "version=9.9.9\r\n";
  platform.answer = MessageAnswer::kYes;
  log.clear();
  const TrayMenu& menu = *views.main->popped;
  const auto update = std::find_if(menu.begin(), menu.end(),
                                   [](const TrayMenuItem& item) { return item.label == "更新"; });
  ASSERT_NE(update, menu.end());
  update->run();
  EXPECT_TRUE(Logged(std::string("start ") + kTemp + "Update.exe /opt/orvane|/opt/orvane/orvane"));
  RunLoop();
  EXPECT_EQ(views.msg_views.confirmations, 0);
  EXPECT_TRUE(client.Ended());
}

TEST_F(ClientMainWindowTest, AnUpToDateVersionFromTheMenuIsReportedAndNothingCloses) {
  LogIn(kGame1);
  test::Click(views.main->tool.button);
  log.clear();
  const TrayMenu& menu = *views.main->popped;
  menu.at(4).run();
  EXPECT_TRUE(Logged("message 提示 warning ok 当前版本已是最新，无需更新！"));
  EXPECT_TRUE(platform.posted.empty());
  EXPECT_FALSE(client.Ended());
}

TEST_F(ClientMainWindowTest, AHandOverOpensOrSelectsATabAndBringsTheWindowBack) {
  LogIn(kGame1);
  test::Click(views.main->min.button);
  EXPECT_TRUE(client.HandOver(kGame2));
  EXPECT_FALSE(views.main->minimized);
  EXPECT_EQ(tabs().Count(), 2);
  EXPECT_TRUE(client.HandOver("HTTP://S1.GAME.TEST/play?account=a"));
  EXPECT_EQ(tabs().Count(), 2);
  EXPECT_EQ(tabs().Selected(), 0);
  EXPECT_FALSE(client.HandOver("file:///home/player/.ssh/id_rsa"));
  EXPECT_FALSE(client.HandOver("javascript:alert(1)"));
  EXPECT_EQ(tabs().Count(), 2);
}

TEST_F(ClientMainWindowTest, AHandOverBeforeTheMainWindowExistsOpensTheGameAsALoginWould) {
  EXPECT_FALSE(client.HandOver("ftp://files.test/"));
  EXPECT_FALSE(client.MainWindowLoaded());
  EXPECT_TRUE(client.HandOver(kGame2));
  EXPECT_TRUE(client.MainWindowLoaded());
  ASSERT_EQ(tabs().Count(), 1);
  EXPECT_TRUE(views.main->visible);
  // The login screen stays, and closing it no longer ends the program.
  EXPECT_TRUE(client.LoginScreenLoaded());
  views.login->events.CloseBtn_Click();
  platform.RunPosted();
  EXPECT_FALSE(client.Ended());
}

// A plain later start brings the window back whether it was minimised or hidden by F10,
// and adds no tab; before the main window exists it changes nothing.
TEST_F(ClientMainWindowTest, APlainLaterStartBringsTheMainWindowBack) {
  client.PresentMainWindow();
  EXPECT_FALSE(client.MainWindowLoaded());
  LogIn(kGame1);
  test::Click(views.main->min.button);
  client.PresentMainWindow();
  EXPECT_FALSE(views.main->minimized);
  views.main->events.BossKeyPressed();
  ASSERT_FALSE(views.main->visible);
  client.PresentMainWindow();
  EXPECT_TRUE(views.main->visible);
  EXPECT_EQ(tabs().Count(), 1);
}

TEST_F(ClientMainWindowTest, NothingIsHandedOverOnceTheProgramHasEnded) {
  views.login->events.CloseBtn_Click();
  platform.RunPosted();
  ASSERT_TRUE(client.Ended());
  EXPECT_FALSE(client.HandOver(kGame1));
  EXPECT_FALSE(Logged("main created"));
}

}  // namespace
}  // namespace orvane
