#pragma once

#include <string>
#include <string_view>

#include "app/message_box.h"

namespace orvane {

// The login screen's windows and the client around them, as the login logic drives them.
class LoginView {
 public:
  virtual ~LoginView() = default;
  // Unloads the background window, which unloads the login window.
  virtual void CloseLoginScreen() = 0;
  // Minimises the background window; the login window it owns goes with it.
  virtual void MinimizeLoginScreen() = 0;
  // Opens (or selects) the game's tab in the main window, creating the main window on
  // first use, and shows the main window modeless.
  virtual void OpenGame(const std::string& game_address) = 0;
  virtual void ShowBackgroundWindow() = 0;
  virtual void ShowLoginWindow() = 0;
  // Unloads the splash window; no effect when it is gone already.
  virtual void UnloadSplash() = 0;
  // Ends the program at once.
  virtual void EndProgram() = 0;
};

// A document the login page's browser has completed.
struct CompletedDocument {
  std::string_view event_url;        // the address the completion event names
  std::string_view document_url;     // the address of the browser's top-level document
  std::string_view root_inner_html;  // the inner HTML of that document's root element
};

enum class DocumentCompleteOutcome {
  kEmptyPage,  // nothing came from the server: the program ends
  kShown,      // the login page is complete: the login screen is on screen
  kIgnored,    // the completion of a frame or other sub-document
};

// The login screen's decisions on its browser's events.
class LoginController {
 public:
  LoginController(LoginView& view, MessageBoxes& dialogs) : view_(view), dialogs_(dialogs) {}

  // Acts on the page commands; sets `Cancel` when the navigation must not happen. A
  // load-game command without an address the game window may open is cancelled and the
  // login screen stays.
  void BeforeNavigate2(std::string_view URL, bool& Cancel);

  DocumentCompleteOutcome DocumentComplete(const CompletedDocument& document);
  // The same with the browser's answer to whether the root element has any content.
  DocumentCompleteOutcome DocumentComplete(std::string_view event_url,
                                           std::string_view document_url, bool has_content);

  void MiniBtn_Click() { view_.MinimizeLoginScreen(); }
  void CloseBtn_Click() { view_.CloseLoginScreen(); }

 private:
  LoginView& view_;
  MessageBoxes& dialogs_;
};

}  // namespace orvane
