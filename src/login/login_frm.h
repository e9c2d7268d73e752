#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "app/message_box.h"
#include "app/update_check.h"
#include "base/colour.h"
#include "base/resource_ids.h"
#include "browser/browser.h"
#include "login/login_controller.h"

namespace orvane {

inline constexpr int kLoginBackgroundPictureId = ORVANE_PNG_LOGIN_BACKGROUND;
// The login window's background colour, made fully transparent by its colour key.
inline constexpr Colour kLoginColourKey = 0xFEFEFE;
inline constexpr int kSmallIconSize = 16;
inline constexpr int kLargeIconSize = 32;

// What the user does to the login screen's windows and images.
class LoginScreenEvents {
 public:
  virtual ~LoginScreenEvents() = default;
  virtual void MiniBtn_Click() = 0;
  virtual void CloseBtn_Click() = 0;
  // A mouse button went down on the background window's own surface.
  virtual void LoginBgFrm_MouseDown(bool left_button) = 0;
  // A mouse button went down on a visible part of the login window's own surface.
  virtual void LoginFrm_MouseDown(bool left_button) = 0;
  // The system asks the background window to close (Alt+F4, the taskbar's close).
  virtual void LoginBgFrm_CloseRequested() = 0;
};

// The login screen's two windows: the background window `LoginBgFrm` and the login window
// `LoginFrm` over it with its images and the frame holding the browser `WebBrowser1`.
// Creating the view creates the login window and its browser, hidden. Destroying the view
// unloads the background window (its picture, drawing objects and imaging session in
// reverse order, its procedure put back) and then the login window.
class LoginScreenView {
 public:
  virtual ~LoginScreenView() = default;
  virtual browser::Browser& WebBrowser1() = 0;
  // The background window's load: no caption or sizing border, the picture of PNG resource
  // `png_id` presented with its own transparency (the window takes its size), the login
  // window kept on the background's top-left through every move, the caption `caption`.
  virtual void LoadBackground(int png_id, std::string_view caption) = 0;
  // Sets the background window's icon of `size` pixels (16: small, 32: large) from the
  // icon file at `icon_file`.
  virtual void SetBackgroundIcon(const std::string& icon_file, int size) = 0;
  // Pixels of exactly `key` in the login window become invisible and let the mouse through.
  virtual void SetLoginColourKey(Colour key) = 0;
  // Makes the background window the owner of the login window.
  virtual void SetLoginOwner() = 0;
  virtual void ShowBackground() = 0;
  virtual void ShowLogin() = 0;
  // Minimises the background window; the login window goes with it.
  virtual void MinimizeBackground() = 0;
  // Lets the system move the background window (and the login window with it) with the
  // mouse, as a press on a caption does.
  virtual void DragBackground() = 0;
  // The same for the login window alone.
  virtual void DragLogin() = 0;
};

// The client around the login screen.
class LoginScreenOwner {
 public:
  virtual ~LoginScreenOwner() = default;
  // The login screen wants to close: the owner unloads it once the current event has
  // returned.
  virtual void CloseLoginScreen() = 0;
  // Opens (or selects) the game's tab in the main window and shows the main window.
  virtual void OpenGame(const std::string& game_address) = 0;
  virtual void UnloadSplash() = 0;
  virtual void EndProgram() = 0;
  // Opens an address in the system's default browser.
  virtual void OpenInDefaultBrowser(const std::string& address) = 0;
};

struct LoginFrmSettings {
  std::string temp_folder;  // ends in a path separator
  std::string login_page;
};

// Creates the login screen's windows for a `LoginFrm`.
class LoginScreenViews {
 public:
  virtual ~LoginScreenViews() = default;
  virtual std::unique_ptr<LoginScreenView> CreateLoginScreenView(
      LoginScreenEvents& events, browser::BrowserEvents& browser_events) = 0;
};

// The login screen `LoginFrm` with its background window `LoginBgFrm`: loads them, acts on
// the page's commands and the images, and shows the pair once the login page is complete.
class LoginFrm final : private LoginScreenEvents,
                       private browser::BrowserEvents,
                       private LoginView {
 public:
  LoginFrm(LoginScreenOwner& owner, MessageBoxes& dialogs, ResourceWriter& resources,
           LoginFrmSettings settings);
  ~LoginFrm() override;
  LoginFrm(const LoginFrm&) = delete;
  LoginFrm& operator=(const LoginFrm&) = delete;

  // The load: the icon file written, the background window loaded and given its icons,
  // the login page requested, the colour key and the owner set. Nothing is shown.
  void Form_Load(LoginScreenViews& views);

  // The screen has been asked to close; it acts on nothing more.
  bool Closing() const { return closing_; }

 private:
  // LoginScreenEvents
  void MiniBtn_Click() override;
  void CloseBtn_Click() override;
  void LoginBgFrm_MouseDown(bool left_button) override;
  void LoginFrm_MouseDown(bool left_button) override;
  void LoginBgFrm_CloseRequested() override;

  // browser::BrowserEvents
  void DownloadBegin() override;
  void DocumentComplete(browser::DocumentId document, const std::string& URL) override;
  void TitleChange(const std::string& Text) override;
  void BeforeNavigate2(const std::string& URL, bool& Cancel) override;
  void NewWindow(const std::string& URL, bool& Processed) override;
  bool ContextMenuAllowed() override { return false; }

  // LoginView
  void CloseLoginScreen() override;
  void MinimizeLoginScreen() override;
  void OpenGame(const std::string& game_address) override;
  void ShowBackgroundWindow() override;
  void ShowLoginWindow() override;
  void UnloadSplash() override;
  void EndProgram() override;

  LoginScreenOwner& owner_;
  ResourceWriter& resources_;
  LoginFrmSettings settings_;
  LoginController controller_;
  std::unique_ptr<LoginScreenView> view_;
  bool closing_ = false;
};

}  // namespace orvane
