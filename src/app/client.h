#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "app/load_frm.h"
#include "app/message_box.h"
#include "app/start_up_ports.h"
#include "app/update_check.h"
#include "app/updater_argument.h"
#include "browser/new_window.h"
#include "login/login_frm.h"
#include "mainwin/web_main_frm.h"

namespace orvane {

// The platform's windows as the client creates them: the splash, the login screen, and the
// main window with its game pages and its exit confirmation.
class ClientViews : public LoginScreenViews, public WebMainFrmViews {
 public:
  virtual std::unique_ptr<SplashView> CreateSplashView(SplashEvents& events) = 0;
  // Nothing where this build has no login screen yet: the start then ends with the splash
  // on screen, and closing the splash ends the program.
  std::unique_ptr<LoginScreenView> CreateLoginScreenView(
      LoginScreenEvents& events, browser::BrowserEvents& browser_events) override = 0;
};

// Everything outside the windows the client talks to.
struct ClientPorts {
  Connectivity& connectivity;
  MessageBoxes& dialogs;
  AddressLauncher& addresses;
  ResourceWriter& resources;
  ProgramLoop& loop;
  DeferredCalls& deferred;
  FileDownloader& downloader;
  UpdateFiles& update_files;
  ProgramLauncher& launcher;
  browser::SystemBrowser& system_browser;  // new windows of the game pages
  BrowserCache& cache;                     // the program menu's "清除缓存"
};

struct ClientSettings {
  UpdateCheckSettings update;  // its temporary folder is the client's
  std::string home_page;
  std::string login_page;
  std::string portal_page;  // the game's topic page, "游戏官网"
};

// The program's own settings: the publisher's addresses, this version, the platform's
// temporary folder, and the updater's argument made from the program's own path (never
// from anything the server sends). On Linux the carried updater is "orvane-update".
ClientSettings ProgramClientSettings(std::string temp_folder, std::string_view program_path,
                                     ProgramPathStyle style);

// The program's life: runs the start-up sequence, creates the splash and the login screen
// (and, later, the main window) on first use, knows which of them are loaded, and ends the
// program when the last one goes or at once where the start or the login page says so.
class Client final : private LoadFrmOwner, private UpdateExit, private WebMainFrmOwner {
 public:
  Client(ClientViews& views, const ClientPorts& ports, ClientSettings settings);
  ~Client() override;
  Client(const Client&) = delete;
  Client& operator=(const Client&) = delete;

  // Runs the start-up sequence with the program's arguments (the text after its name).
  // True when the program goes on in the message loop; false when it has ended already.
  bool Start(std::string_view arguments);

  bool Ended() const override { return ended_; }
  int ExitCode() const { return exit_code_; }
  bool SplashLoaded() const { return load_frm_ && load_frm_->Loaded(); }
  bool LoginScreenLoaded() const { return login_frm_ != nullptr; }
  bool MainWindowLoaded() const {
    return main_frm_ && main_frm_->Loaded() && !main_frm_->Unloaded();
  }

  // A game address handed over by a second start of the program (or a DDE execute
  // request): only an http or https address is taken. With the main window loaded it
  // opens or selects its tab and the window comes back from minimised; before the main
  // window exists the game opens as after a login. False when the address was refused.
  bool HandOver(std::string_view address);

  // A plain later start of the program: the main window, when it is loaded, comes back
  // from minimised (or hidden) and to the front; before it exists nothing changes.
  void PresentMainWindow();

  // Ends the program at once: the message loop returns and every window is unloaded with
  // the client.
  void EndProgram() override;

 private:
  // LoadFrmOwner
  std::unique_ptr<SplashView> CreateSplashView(SplashEvents& events) override;
  void LoadLoginScreen() override;

  // What the login screen asks of the client (through LoginOwner).
  class LoginOwner;
  void CloseLoginScreen();
  void OpenGame(const std::string& game_address);
  void UnloadSplash();
  void OpenInDefaultBrowser(const std::string& address);
  // The login page came back empty: the program ends, unless the main window runs the
  // game already, which must not go with a later login screen.
  void LoginPageFailed();

  // UpdateExit (the start-up check ends the program; the command form belongs to the main
  // window)
  void SetExit(bool m_bExit) override;
  void CloseMainWindow() override;

  // WebMainFrmOwner
  void ShowLoginScreen() override;
  void RunUpdateCommand() override;
  void MainWindowUnloaded() override;

  void UnloadLoginScreen();

  ClientViews& views_;
  ClientPorts ports_;
  ClientSettings settings_;
  std::unique_ptr<LoadFrm> load_frm_;
  std::unique_ptr<LoginOwner> login_owner_;
  std::unique_ptr<LoginFrm> login_frm_;
  std::unique_ptr<WebMainFrm> main_frm_;
  // Calls posted to the loop hold this weakly: the client may be gone when they run.
  std::shared_ptr<Client*> self_;
  bool running_ = false;
  bool ended_ = false;
  int exit_code_ = 0;
};

}  // namespace orvane
