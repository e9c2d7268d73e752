// The client's start: connectivity, the start-up update check, the command line, the
// splash and the loading of the login screen, and how the program ends on each branch.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/client.h"
#include "base/product.h"
#include "core/start_up_fakes.h"

namespace orvane {
namespace {

using test::Log;

constexpr const char* kTemp = "/tmp/orvane/";
constexpr const char* kUpdateUrl = "http://static.test/gamehome/mirab/update.txt";
constexpr const char* kHome = "http://www.test/";
constexpr const char* kLoginPage = "http://www.test/yy/mirab/microend";
const std::string kNoConnection =
    "message 提示 warning ok 未能连接到服务器，请检查网络连接是否正常！";
const std::string kOffer = "message 提示 question yes/no 发现有新版本，是否现在更新！";

class ClientStartTest : public ::testing::Test {
 protected:
  Log log;
  test::FakeViews views{log};
  test::FakePlatform platform{log};
  Client client{views,
                {platform, platform, platform, platform, platform, platform, platform, platform,
                 platform, platform, platform},
                {{kTemp, kUpdateUrl, std::string(kVersionText), "C:\\Game|C:\\Game\\Orvane.exe"},
                 kHome,
                 kLoginPage,
                 "https://portal.test/zt/mirab/"}};

  bool Logged(const std::string& line) const {
    return std::find(log.begin(), log.end(), line) != log.end();
  }
  // The position of a line in the log; the log's size when it is not there.
  std::size_t At(const std::string& line) const {
    return static_cast<std::size_t>(std::find(log.begin(), log.end(), line) - log.begin());
  }
  // The login page completes in the login screen's browser.
  void CompleteLoginPage(bool with_content = true) {
    ASSERT_NE(views.login, nullptr);
    views.login->browser.location = kLoginPage;
    views.login->browser.has_content = with_content;
    views.login->browser_events.DocumentComplete(1, kLoginPage);
  }
  bool Navigate(const std::string& address) {
    bool cancel = false;
    views.login->browser_events.BeforeNavigate2(address, cancel);
    return cancel;
  }
};

// --- the branches of the start -------------------------------------------------------------

TEST_F(ClientStartTest, APlainStartRunsEveryStepInOrderAndShowsOnlyTheSplash) {
  platform.published = "version=" + std::string(kVersionText) + "\r\n";
  EXPECT_TRUE(client.Start(""));
  const Log expected{"connected",
                     std::string("download ") + kUpdateUrl + " -> " + kTemp + "update.txt",
                     "splash created",
                     "splash picture 102",
                     "login screen created",
                     std::string("save ICON 101 -> ") + kTemp + "mirab.ico",
                     "background loaded 101 " + std::string(kClientTitle),
                     std::string("icon 16 ") + kTemp + "mirab.ico",
                     std::string("icon 32 ") + kTemp + "mirab.ico",
                     std::string("navigate ") + kLoginPage,
                     "colour key " + std::to_string(0xFEFEFE),
                     "owner set",
                     "splash shown"};
  EXPECT_EQ(log, expected);
  EXPECT_FALSE(client.Ended());
  EXPECT_TRUE(client.SplashLoaded());
  EXPECT_TRUE(client.LoginScreenLoaded());
}

TEST_F(ClientStartTest, WithoutAConnectionOnlyTheWarningIsShownAndNothingIsRequested) {
  platform.connected = false;
  EXPECT_FALSE(client.Start(""));
  EXPECT_EQ(log, (Log{"not connected", kNoConnection}));
  EXPECT_TRUE(client.Ended());
  EXPECT_EQ(client.ExitCode(), 0);
}

TEST_F(ClientStartTest, WebOpensTheHomePageAfterTheCheckAndShowsNothing) {
  EXPECT_FALSE(client.Start("/web"));
  EXPECT_TRUE(Logged("connected"));
  EXPECT_LT(At(std::string("download ") + kUpdateUrl + " -> " + kTemp + "update.txt"),
            At(std::string("open address ") + kHome));
  EXPECT_EQ(log.back(), std::string("open address ") + kHome);
  EXPECT_FALSE(Logged("splash created"));
  EXPECT_FALSE(Logged("login screen created"));
  EXPECT_TRUE(client.Ended());
}

TEST_F(ClientStartTest, WebInOtherLettersOrWithMoreTextStartsNormally) {
  for (const char* arguments : {"/WEB", "/web x", "/web ", " /web", "/Web"}) {
    Log start_log;
    test::FakeViews start_views{start_log};
    test::FakePlatform start_platform{start_log};
    test::FakePlatform& p = start_platform;
    Client start_client{
        start_views,
        {p, p, p, p, p, p, p, p, p, p, p},
        {{kTemp, kUpdateUrl, std::string(kVersionText), "C:\\Game|C:\\Game\\Orvane.exe"},
         kHome,
         kLoginPage,
         "https://portal.test/zt/mirab/"}};
    EXPECT_TRUE(start_client.Start(arguments)) << arguments;
    EXPECT_EQ(start_log.back(), "splash shown") << arguments;
    EXPECT_EQ(std::count(start_log.begin(), start_log.end(), std::string("open address ") + kHome),
              0)
        << arguments;
  }
}

TEST_F(ClientStartTest, AnAcceptedUpdateEndsTheProgramAtOnceEvenWithWeb) {
  platform.published = "version=9.9.9\r\n";
  platform.answer = MessageAnswer::kYes;
  EXPECT_FALSE(client.Start("/web"));
  EXPECT_TRUE(Logged(kOffer));
  EXPECT_TRUE(Logged(std::string("start ") + kTemp + "Update.exe C:\\Game|C:\\Game\\Orvane.exe"));
  EXPECT_FALSE(Logged(std::string("open address ") + kHome));
  EXPECT_FALSE(Logged("splash created"));
  EXPECT_TRUE(client.Ended());
}

TEST_F(ClientStartTest, AnAcceptedUpdateThatCannotBeWrittenStillEndsTheProgram) {
  platform.published = "version=9.9.9\r\n";
  platform.answer = MessageAnswer::kYes;
  platform.resources_writable = false;
  EXPECT_FALSE(client.Start(""));
  EXPECT_FALSE(Logged("splash created"));
  EXPECT_TRUE(client.Ended());
}

TEST_F(ClientStartTest, ADeclinedUpdateGoesOnWithTheStart) {
  platform.published = "version=9.9.9\r\n";
  platform.answer = MessageAnswer::kNo;
  EXPECT_TRUE(client.Start(""));
  EXPECT_LT(At(kOffer), At("splash created"));
  EXPECT_EQ(log.back(), "splash shown");
  EXPECT_FALSE(client.Ended());
}

TEST_F(ClientStartTest, NoUpdateFileGoesOnSilently) {
  EXPECT_TRUE(client.Start(""));
  EXPECT_EQ(std::count_if(log.begin(), log.end(),
                          [](const std::string& line) { return line.rfind("message", 0) == 0; }),
            0);
}

// --- the login page ends the start -----------------------------------------------------------

TEST_F(ClientStartTest, TheCompletedLoginPageShowsTheScreenThenUnloadsTheSplash) {
  ASSERT_TRUE(client.Start(""));
  log.clear();
  CompleteLoginPage();
  EXPECT_EQ(log, (Log{"show background", "show login", "splash unloaded"}));
  EXPECT_FALSE(client.SplashLoaded());
  EXPECT_TRUE(views.login->browser.silent);
  EXPECT_FALSE(client.Ended());
}

TEST_F(ClientStartTest, AnEmptyLoginPageTellsTheUserAndEndsTheProgram) {
  ASSERT_TRUE(client.Start(""));
  log.clear();
  CompleteLoginPage(false);
  EXPECT_EQ(log, (Log{kNoConnection, "quit 0"}));
  EXPECT_TRUE(client.Ended());
  EXPECT_EQ(client.ExitCode(), 0);
}

TEST_F(ClientStartTest, ALoginPageThatCompletesDuringTheLoadIsNotFollowedByTheSplash) {
  // A browser may report a page from its cache before the navigation call has returned.
  views.on_login_created = [](test::FakeLoginScreenView& view) {
    view.browser.on_navigate = [&view](const std::string& address) {
      view.browser.location = address;
      view.browser_events.DocumentComplete(1, address);
    };
  };
  ASSERT_TRUE(client.Start(""));
  EXPECT_TRUE(Logged("show login"));
  EXPECT_TRUE(Logged("splash unloaded"));
  EXPECT_FALSE(Logged("splash shown"));
  EXPECT_FALSE(client.SplashLoaded());
}

// --- how the login screen ends the program ---------------------------------------------------

TEST_F(ClientStartTest, ExitGameClosesTheScreenOnceTheEventHasReturnedAndEndsTheProgram) {
  ASSERT_TRUE(client.Start(""));
  CompleteLoginPage();
  log.clear();
  EXPECT_TRUE(Navigate("app://exitgame"));
  // Still inside the browser's event: nothing may be destroyed yet.
  EXPECT_EQ(log, Log{"posted"});
  EXPECT_TRUE(client.LoginScreenLoaded());
  platform.RunPosted();
  EXPECT_EQ(log, (Log{"posted", "login screen unloaded", "quit 0"}));
  EXPECT_FALSE(client.LoginScreenLoaded());
  EXPECT_TRUE(client.Ended());
}

TEST_F(ClientStartTest, TheCloseImageAndTheSystemCloseEndTheProgramLikeExitGame) {
  ASSERT_TRUE(client.Start(""));
  CompleteLoginPage();
  views.login->events.CloseBtn_Click();
  views.login->events.LoginBgFrm_CloseRequested();  // a second request changes nothing
  EXPECT_EQ(platform.posted.size(), 1U);
  platform.RunPosted();
  EXPECT_TRUE(client.Ended());
}

TEST_F(ClientStartTest, LoadGameClosesTheScreenAndEndsWhenTheMainWindowCannotBeMade) {
  // A build without the main window's views: the game address goes nowhere and the closed
  // login screen is the end of the program.
  views.with_main_window = false;
  ASSERT_TRUE(client.Start(""));
  CompleteLoginPage();
  EXPECT_TRUE(Navigate("app://loadgame|http://game.test/play|x"));
  platform.RunPosted();
  EXPECT_FALSE(client.MainWindowLoaded());
  EXPECT_FALSE(client.LoginScreenLoaded());
  EXPECT_TRUE(client.Ended());
}

TEST_F(ClientStartTest, ExitGameBeforeThePageCompletesAlsoEndsTheProgram) {
  // Otherwise the splash would wait for a login screen that is gone.
  ASSERT_TRUE(client.Start(""));
  Navigate("app://exitgame");
  platform.RunPosted();
  EXPECT_TRUE(client.Ended());
}

TEST_F(ClientStartTest, MinimiseKeepsTheProgramRunning) {
  ASSERT_TRUE(client.Start(""));
  CompleteLoginPage();
  EXPECT_TRUE(Navigate("app://minimize"));
  EXPECT_TRUE(platform.posted.empty());
  EXPECT_EQ(log.back(), "minimize background");
  EXPECT_FALSE(client.Ended());
}

TEST_F(ClientStartTest, ClosingTheSplashEndsTheProgram) {
  ASSERT_TRUE(client.Start(""));
  ASSERT_NE(views.splash_events, nullptr);
  views.splash_events->CloseRequested();
  EXPECT_EQ(log.back(), "quit 0");
  EXPECT_TRUE(client.Ended());
}

TEST_F(ClientStartTest, ABuildWithoutALoginScreenShowsTheSplashUntilItIsClosed) {
  views.with_login_screen = false;
  ASSERT_TRUE(client.Start(""));
  EXPECT_EQ(log.back(), "splash shown");
  EXPECT_FALSE(Logged("background loaded 101 " + std::string(kClientTitle)));
  views.splash_events->CloseRequested();
  EXPECT_TRUE(client.Ended());
}

TEST_F(ClientStartTest, EndingTwiceQuitsTheLoopOnce) {
  ASSERT_TRUE(client.Start(""));
  views.splash_events->CloseRequested();
  CompleteLoginPage(false);
  EXPECT_EQ(std::count(log.begin(), log.end(), std::string("quit 0")), 1);
}

// --- the command line of a Windows program ----------------------------------------------------

TEST(ArgumentsOfCommandLine, AreTheTextAfterTheProgramNameAndItsBlanks) {
  EXPECT_EQ(ArgumentsOfCommandLine("\"C:\\Program Files\\Orvane\\Orvane.exe\" /web"), "/web");
  EXPECT_EQ(ArgumentsOfCommandLine("Orvane.exe /web"), "/web");
  EXPECT_EQ(ArgumentsOfCommandLine("Orvane.exe \t /web x"), "/web x");
  EXPECT_EQ(ArgumentsOfCommandLine("Orvane.exe /web "), "/web ");
  EXPECT_EQ(ArgumentsOfCommandLine("Orvane.exe"), "");
  EXPECT_EQ(ArgumentsOfCommandLine("\"C:\\a b\\Orvane.exe\""), "");
  EXPECT_EQ(ArgumentsOfCommandLine("\"unterminated /web"), "");
}

}  // namespace
}  // namespace orvane
