#pragma once

#include <windows.h>

#include "app/client.h"
#include "browser/win32/browser_factory.h"
#include "mainwin/hand_over.h"
#include "mainwin/web_main_frm.h"

namespace orvane::win32 {

// The client's windows on Windows.
class Win32ClientViews final : public ClientViews {
 public:
  // The windows hold the browsers `make_browser` makes (the system's WebBrowser control
  // in the program).
  explicit Win32ClientViews(BrowserFactory make_browser = SystemBrowserFactory());

  // Where the main window's DDE server hands the game addresses it receives; without one
  // the main window serves no DDE topic.
  void SetHandOver(HandOverOwner* hand_over) { hand_over_ = hand_over; }

  std::unique_ptr<SplashView> CreateSplashView(SplashEvents& events) override;
  std::unique_ptr<LoginScreenView> CreateLoginScreenView(
      LoginScreenEvents& events, browser::BrowserEvents& browser_events) override;
  std::unique_ptr<WebMainFrmView> CreateMainWindowView(WebMainFrmEvents& events) override;
  std::unique_ptr<WebUrlView> CreatePageView(browser::BrowserEvents& events) override;
  std::unique_ptr<MsgFrmView> CreateMsgFrmView(MsgFrmEvents& events) override;

 private:
  BrowserFactory make_browser_;
  HandOverOwner* hand_over_ = nullptr;
};

}  // namespace orvane::win32
