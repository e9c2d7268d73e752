#pragma once

#include "app/client.h"

namespace orvane::gtk {

// The client's windows on Linux.
class GtkClientViews final : public ClientViews {
 public:
  std::unique_ptr<SplashView> CreateSplashView(SplashEvents& events) override;
  std::unique_ptr<LoginScreenView> CreateLoginScreenView(
      LoginScreenEvents& events, browser::BrowserEvents& browser_events) override;
  // The main window, its game pages and its exit confirmation. Until their GTK views are
  // in, none is made: the login's game address then goes nowhere and the closing login
  // screen ends the program.
  std::unique_ptr<WebMainFrmView> CreateMainWindowView(WebMainFrmEvents& events) override;
  std::unique_ptr<WebUrlView> CreatePageView(browser::BrowserEvents& events) override;
  std::unique_ptr<MsgFrmView> CreateMsgFrmView(MsgFrmEvents& events) override;
};

}  // namespace orvane::gtk
