#include "login/login_frm.h"

#include <utility>

#include "app/public_data.h"
#include "base/product.h"
#include "base/start_up_trace.h"
#include "login/page_commands.h"

namespace orvane {

LoginFrm::LoginFrm(LoginScreenOwner& owner, MessageBoxes& dialogs, ResourceWriter& resources,
                   LoginFrmSettings settings)
    : owner_(owner),
      resources_(resources),
      settings_(std::move(settings)),
      controller_(*this, dialogs) {}

LoginFrm::~LoginFrm() = default;

void LoginFrm::Form_Load(LoginScreenViews& views) {
  // The login window and its browser exist before its load runs, as a form's controls do.
  view_ = views.CreateLoginScreenView(*this, *this);
  // Without a temporary folder the file would land in whatever folder is current: the
  // windows then keep the program's own icon, as they do when the file cannot be written.
  const bool have_folder = !settings_.temp_folder.empty();
  const std::string icon_file = IconFilePath(settings_.temp_folder);
  if (have_folder) {
    resources_.SaveResourceToFile(kIconFileResourceId, ResourceType::Icon, icon_file);
  }
  if (!view_) {
    return;
  }
  // Setting the first icon is the background window's first use, which loads it.
  view_->LoadBackground(kLoginBackgroundPictureId, kClientTitle);
  if (have_folder) {
    view_->SetBackgroundIcon(icon_file, kSmallIconSize);
    view_->SetBackgroundIcon(icon_file, kLargeIconSize);
  }
  view_->WebBrowser1().Navigate(settings_.login_page);
  view_->SetLoginColourKey(kLoginColourKey);
  view_->SetLoginOwner();
}

// --- the screen's own controls and surfaces -----------------------------------------------

void LoginFrm::MiniBtn_Click() {
  if (!closing_) {
    controller_.MiniBtn_Click();
  }
}

void LoginFrm::CloseBtn_Click() {
  if (!closing_) {
    controller_.CloseBtn_Click();
  }
}

void LoginFrm::LoginBgFrm_MouseDown(bool left_button) {
  if (left_button && view_ && !closing_) {
    view_->DragBackground();
  }
}

void LoginFrm::LoginFrm_MouseDown(bool left_button) {
  if (left_button && view_ && !closing_) {
    view_->DragLogin();
  }
}

void LoginFrm::LoginBgFrm_CloseRequested() {
  if (!closing_) {
    CloseLoginScreen();
  }
}

// --- the browser's events -----------------------------------------------------------------

void LoginFrm::DownloadBegin() {
  if (view_) {
    view_->WebBrowser1().Silent(true);
  }
}

void LoginFrm::DocumentComplete(browser::DocumentId /*document*/, const std::string& URL) {
  if (!view_ || closing_) {
    return;
  }
  browser::Browser& browser = view_->WebBrowser1();
  browser.Silent(true);
  const std::string document_url = browser.LocationURL();
  controller_.DocumentComplete(URL, document_url, browser.DocumentHasContent());
}

void LoginFrm::TitleChange(const std::string& /*Text*/) {
  // The login screen's caption is the client's own, whatever the page calls itself.
}

void LoginFrm::BeforeNavigate2(const std::string& URL, bool& Cancel) {
  if (closing_) {
    // The screen is going: nothing more is loaded into it.
    Cancel = true;
    return;
  }
  controller_.BeforeNavigate2(URL, Cancel);
}

void LoginFrm::NewWindow(const std::string& URL, bool& Processed) {
  // The login screen opens no windows of its own: a link meant for a new window goes to the
  // system's browser when it is a web address, and nowhere otherwise.
  Processed = true;
  if (!closing_ && IsGameAddress(URL)) {
    owner_.OpenInDefaultBrowser(URL);
  }
}

// --- what the login logic asks of the screen ------------------------------------------------

void LoginFrm::CloseLoginScreen() {
  if (closing_) {
    return;
  }
  closing_ = true;
  owner_.CloseLoginScreen();
}

void LoginFrm::MinimizeLoginScreen() {
  if (view_) {
    view_->MinimizeBackground();
  }
}

void LoginFrm::OpenGame(const std::string& game_address) {
  owner_.OpenGame(game_address);
}

void LoginFrm::ShowBackgroundWindow() {
  if (view_) {
    view_->ShowBackground();
  }
}

void LoginFrm::ShowLoginWindow() {
  // Asked for once the login page has completed with content: the screen shows it now.
  MarkStartUp(StartUpPoint::kLoginPageCompleted);
  if (view_) {
    view_->ShowLogin();
  }
}

void LoginFrm::UnloadSplash() {
  owner_.UnloadSplash();
}

void LoginFrm::EndProgram() {
  owner_.EndProgram();
}

}  // namespace orvane
