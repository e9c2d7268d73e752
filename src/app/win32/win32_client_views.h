#pragma once

#include "app/client.h"

namespace orvane::win32 {

// The client's windows on Windows.
class Win32ClientViews final : public ClientViews {
 public:
  std::unique_ptr<SplashView> CreateSplashView(SplashEvents& events) override;
  // The login screen's windows with their browser control are not part of this build
  // yet: the start stops here with the splash on screen.
  std::unique_ptr<LoginScreenView> CreateLoginScreenView(
      LoginScreenEvents& events, browser::BrowserEvents& browser_events) override;
  // The main window, its game pages and its exit confirmation: not part of this build yet.
  std::unique_ptr<WebMainFrmView> CreateMainWindowView(WebMainFrmEvents& events) override;
  std::unique_ptr<WebUrlView> CreatePageView(browser::BrowserEvents& events) override;
  std::unique_ptr<MsgFrmView> CreateMsgFrmView(MsgFrmEvents& events) override;
};

}  // namespace orvane::win32
