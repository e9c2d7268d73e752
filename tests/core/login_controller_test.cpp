// The login screen's decision when its browser completes a document, and its buttons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "login/login_controller.h"

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
    last_request_title = std::string(request.title);
    last_request_icon = request.icon;
    last_request_buttons = request.buttons;
    log.push_back("message " + std::string(request.text));
    return MessageAnswer::kOk;
  }
  Log log;
  std::string last_request_title;
  MessageIcon last_request_icon = MessageIcon::kQuestion;
  MessageButtons last_request_buttons = MessageButtons::kYesNo;
};

constexpr const char* kLoginPage = "http://www.orvane-game.com/yy/mirab/microend";

class LoginDocumentTest : public ::testing::Test {
 protected:
  RecordingView view;
  LoginController controller{view, view};
};

TEST_F(LoginDocumentTest, TheCompletedLoginPageShowsBackgroundThenLoginThenUnloadsTheSplash) {
  EXPECT_EQ(controller.DocumentComplete({kLoginPage, kLoginPage, "<head></head><body>x</body>"}),
            DocumentCompleteOutcome::kShown);
  EXPECT_EQ(view.log, (Log{"show background", "show login", "unload splash"}));
}

TEST_F(LoginDocumentTest, AnEmptyPageTellsTheServerCannotBeReachedAndEndsTheProgram) {
  EXPECT_EQ(controller.DocumentComplete({kLoginPage, kLoginPage, ""}),
            DocumentCompleteOutcome::kEmptyPage);
  EXPECT_EQ(view.log, (Log{"message 未能连接到服务器，请检查网络连接是否正常！", "end program"}));
  EXPECT_EQ(view.last_request_title, "提示");
  EXPECT_EQ(view.last_request_icon, MessageIcon::kWarning);
  EXPECT_EQ(view.last_request_buttons, MessageButtons::kOk);
}

TEST_F(LoginDocumentTest, AnEmptyPageEndsTheProgramWhateverAddressTheEventNames) {
  EXPECT_EQ(controller.DocumentComplete({"http://frame.test/ad", kLoginPage, ""}),
            DocumentCompleteOutcome::kEmptyPage);
  EXPECT_EQ(view.log.back(), "end program");
}

TEST_F(LoginDocumentTest, AFrameWhoseAddressDoesNotContainTheDocumentsShowsNothing) {
  EXPECT_EQ(controller.DocumentComplete({"http://ads.test/frame.html", kLoginPage, "<body/>"}),
            DocumentCompleteOutcome::kIgnored);
  EXPECT_EQ(view.log, Log{});
}

TEST_F(LoginDocumentTest, TheEventAddressMustContainTheDocumentAddressLetterCaseIncluded) {
  EXPECT_EQ(controller.DocumentComplete(
                {"HTTP://WWW.ORVANE-GAME.COM/YY/MIRAB/MICROEND", kLoginPage, "<body/>"}),
            DocumentCompleteOutcome::kIgnored);
  EXPECT_EQ(controller.DocumentComplete({std::string(kLoginPage) + "#top", kLoginPage, "<body/>"}),
            DocumentCompleteOutcome::kShown);
  EXPECT_EQ(view.log, (Log{"show background", "show login", "unload splash"}));
}

TEST_F(LoginDocumentTest, EveryQualifyingCompletionShowsTheScreenAgain) {
  controller.DocumentComplete({kLoginPage, kLoginPage, "<body/>"});
  controller.DocumentComplete({kLoginPage, kLoginPage, "<body/>"});
  EXPECT_EQ(view.log.size(), 6U);
}

TEST(LoginButtons, MinimiseAndCloseActAsTheirPageCommands) {
  RecordingView view;
  LoginController controller{view, view};
  controller.MiniBtn_Click();
  controller.CloseBtn_Click();
  EXPECT_EQ(view.log, (Log{"minimize login screen", "close login screen"}));
}

}  // namespace
}  // namespace orvane
