#include "app/client.h"

#include <utility>

#include "base/product.h"
#include "base/publisher.h"
#include "login/page_commands.h"
#include "mainwin/hand_over.h"

namespace orvane {

// The login screen's owner: everything goes to the client as it is, except the end of
// the program, which the client weighs against the main window.
class Client::LoginOwner final : public LoginScreenOwner {
 public:
  explicit LoginOwner(Client& client) : client_(client) {}
  void CloseLoginScreen() override { client_.CloseLoginScreen(); }
  void OpenGame(const std::string& game_address) override { client_.OpenGame(game_address); }
  void UnloadSplash() override { client_.UnloadSplash(); }
  void EndProgram() override { client_.LoginPageFailed(); }
  void OpenInDefaultBrowser(const std::string& address) override {
    client_.OpenInDefaultBrowser(address);
  }

 private:
  Client& client_;
};

Client::Client(ClientViews& views, const ClientPorts& ports, ClientSettings settings)
    : views_(views),
      ports_(ports),
      settings_(std::move(settings)),
      login_owner_(std::make_unique<LoginOwner>(*this)),
      self_(std::make_shared<Client*>(this)) {}

// The windows go in the reverse order of their loading: main window, login screen, splash.
Client::~Client() {
  main_frm_.reset();
  login_frm_.reset();
  load_frm_.reset();
}

bool Client::Start(std::string_view arguments) {
  LoadFrmSettings splash_settings{settings_.update, settings_.home_page};
  load_frm_ = std::make_unique<LoadFrm>(
      static_cast<LoadFrmOwner&>(*this),
      LoadFrmPorts{ports_.connectivity,
                   ports_.dialogs,
                   ports_.addresses,
                   {ports_.downloader, ports_.update_files, ports_.dialogs, ports_.resources,
                    ports_.launcher, *this}},
      std::move(splash_settings));
  if (!load_frm_->Form_Initialize() || !load_frm_->Form_Load(arguments) || ended_) {
    return false;
  }
  load_frm_->Show();
  running_ = !ended_;
  return running_;
}

void Client::EndProgram() {
  if (ended_) {
    return;
  }
  ended_ = true;
  exit_code_ = 0;
  if (running_) {
    ports_.loop.Quit(exit_code_);
  }
}

std::unique_ptr<SplashView> Client::CreateSplashView(SplashEvents& events) {
  return views_.CreateSplashView(events);
}

void Client::LoadLoginScreen() {
  if (ended_ || login_frm_) {
    return;
  }
  login_frm_ = std::make_unique<LoginFrm>(
      *login_owner_, ports_.dialogs, ports_.resources,
      LoginFrmSettings{settings_.update.temp_folder, settings_.login_page});
  login_frm_->Form_Load(views_);
}

void Client::CloseLoginScreen() {
  // The request comes from inside the login screen's own events (its browser, its
  // images): the windows go once that event has returned.
  ports_.deferred.Post([self = std::weak_ptr<Client*>(self_)] {
    if (const std::shared_ptr<Client*> client = self.lock()) {
      (*client)->UnloadLoginScreen();
    }
  });
}

void Client::LoginPageFailed() {
  if (MainWindowLoaded()) {
    // The user has been told the server could not be reached; the games already running
    // in the main window stay, and only this login screen goes.
    CloseLoginScreen();
    return;
  }
  EndProgram();
}

void Client::UnloadLoginScreen() {
  if (!login_frm_) {
    return;
  }
  login_frm_.reset();
  // Before the main window exists the login screen is all the user has: closing it ends
  // the program, also while the splash still waits for the login page.
  if (!MainWindowLoaded()) {
    EndProgram();
  }
}

void Client::OpenGame(const std::string& game_address) {
  if (ended_ || (main_frm_ && main_frm_->Unloaded())) {
    return;
  }
  if (!main_frm_) {
    main_frm_ = std::make_unique<WebMainFrm>(
        views_,
        WebMainFrmPorts{*this, ports_.dialogs, ports_.addresses, ports_.system_browser,
                        ports_.cache, ports_.deferred},
        WebMainFrmSettings{settings_.update.temp_folder, settings_.portal_page,
                           settings_.update.version_text});
  }
  // The first use loads the window; the tab opens before the window shows.
  main_frm_->SetURL(game_address);
  main_frm_->Show();
}

bool Client::HandOver(std::string_view address) {
  if (ended_) {
    return false;
  }
  if (MainWindowLoaded()) {
    return HandOverAddress(address, *main_frm_);
  }
  if (!IsGameAddress(address)) {
    return false;
  }
  // Before the main window exists the game opens as after a login. The login screen (or
  // the splash still waiting for it) stays: what the user may have typed there is kept,
  // and closing it later no longer ends the program.
  OpenGame(std::string(address));
  return true;
}

void Client::PresentMainWindow() {
  if (!ended_ && MainWindowLoaded()) {
    // Shown again also when the boss key hid it (its sound with it), then restored.
    main_frm_->Show();
    main_frm_->PresentMainWindow();
  }
}

void Client::ShowLoginScreen() {
  LoadLoginScreen();
}

void Client::RunUpdateCommand() {
  RunUpdateCheck(UpdateCheckForm::kCommand, settings_.update,
                 UpdateCheckPorts{ports_.downloader, ports_.update_files, ports_.dialogs,
                                  ports_.resources, ports_.launcher, *this});
}

void Client::MainWindowUnloaded() {
  // The window reports this from inside its own unload: it is released once that has
  // returned, and with it the program ends.
  ports_.deferred.Post([self = std::weak_ptr<Client*>(self_)] {
    if (const std::shared_ptr<Client*> client = self.lock()) {
      (*client)->main_frm_.reset();
      (*client)->EndProgram();
    }
  });
}

void Client::UnloadSplash() {
  if (load_frm_) {
    load_frm_->Unload();
  }
}

void Client::OpenInDefaultBrowser(const std::string& address) {
  ports_.addresses.OpenAddress(address);
}

void Client::SetExit(bool m_bExit) {
  if (main_frm_) {
    main_frm_->m_bExit(m_bExit);
  }
}

void Client::CloseMainWindow() {
  if (main_frm_) {
    main_frm_->RequestClose();
  }
}

ClientSettings ProgramClientSettings(std::string temp_folder, std::string_view program_path,
                                     ProgramPathStyle style) {
  ClientSettings settings;
  settings.update.temp_folder = std::move(temp_folder);
  settings.update.update_file_url = UpdateFileUrl();
  settings.update.version_text = std::string(kVersionText);
  settings.update.updater_argument = UpdaterArgument(program_path, style);
  if (style == ProgramPathStyle::kPosix) {
    settings.update.updater_file_name = "orvane-update";
  }
  settings.home_page = HomePageUrl();
  settings.login_page = LoginPageUrl();
  settings.portal_page = TopicPageUrl();
  return settings;
}

}  // namespace orvane
