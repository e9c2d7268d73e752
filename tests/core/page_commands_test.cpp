// The "app://" page commands of the login page: where they are recognised, which wins,
// and which game addresses may be opened.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "login/login_controller.h"
#include "login/page_commands.h"

namespace orvane {
namespace {

using Log = std::vector<std::string>;

class RecordingView final : public LoginView, public MessageBoxes {
 public:
  void CloseLoginScreen() override { log.push_back("close login screen"); }
  void MinimizeLoginScreen() override { log.push_back("minimize login screen"); }
  void OpenGame(const std::string& address) override { log.push_back("open game " + address); }
  void ShowBackgroundWindow() override { log.push_back("show background"); }
  void ShowLoginWindow() override { log.push_back("show login"); }
  void UnloadSplash() override { log.push_back("unload splash"); }
  void EndProgram() override { log.push_back("end program"); }
  MessageAnswer ShowMessageBox(const MessageBoxRequest& request) override {
    log.push_back("message " + std::string(request.text));
    return MessageAnswer::kOk;
  }
  Log log;
};

class PageCommandTest : public ::testing::Test {
 protected:
  RecordingView view;
  LoginController controller{view, view};

  // The navigation's Cancel after the controller saw it.
  bool Navigate(const std::string& url) {
    bool cancel = false;
    controller.BeforeNavigate2(url, cancel);
    return cancel;
  }
};

// --- exit and minimise --------------------------------------------------------------------

TEST_F(PageCommandTest, ExitGameCancelsTheNavigationAndClosesTheLoginScreen) {
  EXPECT_TRUE(Navigate("app://exitgame"));
  EXPECT_EQ(view.log, (Log{"close login screen"}));
}

TEST_F(PageCommandTest, MinimizeCancelsTheNavigationAndMinimisesTheLoginScreen) {
  EXPECT_TRUE(Navigate("app://minimize/"));
  EXPECT_EQ(view.log, (Log{"minimize login screen"}));
}

TEST_F(PageCommandTest, ACommandAnywhereInAnOrdinaryAddressCounts) {
  EXPECT_TRUE(Navigate("http://www.orvane-game.com/help?next=app://exitgame&x=1"));
  EXPECT_TRUE(Navigate("http://www.orvane-game.com/#app://minimize"));
  EXPECT_EQ(view.log, (Log{"close login screen", "minimize login screen"}));
}

TEST_F(PageCommandTest, CommandsInCapitalLettersAreOrdinaryAddresses) {
  EXPECT_FALSE(Navigate("APP://EXITGAME"));
  EXPECT_FALSE(Navigate("app://ExitGame"));
  EXPECT_FALSE(Navigate("App://minimize"));
  EXPECT_FALSE(Navigate("app://LOADGAME|http://game.test/"));
  EXPECT_EQ(view.log, Log{});
}

TEST_F(PageCommandTest, OrdinaryAddressesAreNavigatedUntouched) {
  EXPECT_FALSE(Navigate("http://www.orvane-game.com/yy/mirab/microend"));
  EXPECT_FALSE(Navigate("about:blank"));
  EXPECT_FALSE(Navigate("app://exit"));
  EXPECT_EQ(view.log, Log{});
}

TEST_F(PageCommandTest, ExitWinsOverMinimiseAndMinimiseOverLoadGame) {
  EXPECT_EQ(ParsePageCommand("app://minimize?app://exitgame").kind, PageCommandKind::kExitGame);
  EXPECT_EQ(ParsePageCommand("app://loadgame|http://g.test/?app://exitgame").kind,
            PageCommandKind::kExitGame);
  EXPECT_EQ(ParsePageCommand("app://loadgame|http://g.test/?app://minimize").kind,
            PageCommandKind::kMinimize);
  EXPECT_TRUE(Navigate("app://loadgame|http://g.test/?app://minimize"));
  EXPECT_EQ(view.log, (Log{"minimize login screen"}));
}

// --- load game ------------------------------------------------------------------------------

TEST_F(PageCommandTest, LoadGameClosesTheLoginScreenThenOpensExactlyTheAddress) {
  EXPECT_TRUE(Navigate("app://loadgame|http://s1.orvane-game.com/play?account=a&sid=Q%7C1"));
  EXPECT_EQ(view.log, (Log{"close login screen",
                           "open game http://s1.orvane-game.com/play?account=a&sid=Q%7C1"}));
}

TEST_F(PageCommandTest, OnlyTheSecondBarFieldIsTheGameAddress) {
  EXPECT_TRUE(Navigate("app://loadgame|https://s1.test/a|http://s2.test/b|x"));
  EXPECT_EQ(view.log, (Log{"close login screen", "open game https://s1.test/a"}));
  EXPECT_EQ(SecondField("a|b|c"), "b");
  EXPECT_EQ(SecondField("a|b"), "b");
  EXPECT_EQ(SecondField("a|"), "");
  EXPECT_EQ(SecondField("ab"), std::nullopt);
}

TEST_F(PageCommandTest, TheCommandMayFollowAnotherAddressAndItsFieldsCountFromTheStart) {
  // The bar fields are those of the whole address, not of the command.
  EXPECT_TRUE(Navigate("http://portal.test/?go=app://loadgame|http://s1.test/play"));
  EXPECT_EQ(view.log, (Log{"close login screen", "open game http://s1.test/play"}));
}

TEST_F(PageCommandTest, LoadGameWithoutABarIsCancelledAndTheLoginScreenStays) {
  EXPECT_TRUE(Navigate("app://loadgame"));
  EXPECT_TRUE(Navigate("app://loadgame/http://s1.test/"));
  EXPECT_EQ(view.log, Log{});
}

class UnsafeGameAddressTest : public PageCommandTest,
                              public ::testing::WithParamInterface<const char*> {};

TEST_P(UnsafeGameAddressTest, IsNeverOpenedTheNavigationIsCancelledAndTheLoginScreenStays) {
  EXPECT_TRUE(Navigate(std::string("app://loadgame|") + GetParam()));
  EXPECT_EQ(view.log, Log{});
  EXPECT_FALSE(IsGameAddress(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Addresses, UnsafeGameAddressTest,
                         ::testing::Values("", "javascript:alert(document.cookie)",
                                           "file:///C:/Windows/win.ini", "file:///etc/passwd",
                                           "ftp://files.test/game", "app://home", "about:blank",
                                           "data:text/html,<b>x</b>", "C:\\Windows\\notepad.exe",
                                           "//evil.test/", "http://", "https://", "http:///path",
                                           "http://host/a b", "http://host/\r\nX: y",
                                           " http://host/", "httpx://host/", "vbscript:msgbox(1)",
                                           "http:host",
                                           // No host before the port or after the user.
                                           "http://://0", "http://:80/", "https://user@/",
                                           "http://a@:8080/x", "http://\\evil.test/", "https://@"));

TEST_F(PageCommandTest, HttpAndHttpsAddressesInAnyLetterCaseMayBeOpened) {
  EXPECT_TRUE(IsGameAddress("http://s1.test/"));
  EXPECT_TRUE(IsGameAddress("https://s1.test:8443/play?a=1#top"));
  EXPECT_TRUE(IsGameAddress("HTTP://S1.TEST/Play"));
  EXPECT_TRUE(IsGameAddress("hTTpS://127.0.0.1:5000/game/mirab/play?account=x"));
  EXPECT_TRUE(IsGameAddress("http://s1.test/游戏"));
  EXPECT_TRUE(IsGameAddress("http://player@s1.test:8080/"));
  EXPECT_TRUE(IsGameAddress("http://[::1]:5000/play"));
}

}  // namespace
}  // namespace orvane
