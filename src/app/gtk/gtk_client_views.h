#pragma once

#include "app/client.h"

namespace orvane::gtk {

// The client's windows on Linux.
class GtkClientViews final : public ClientViews {
 public:
  std::unique_ptr<SplashView> CreateSplashView(SplashEvents& events) override;
  std::unique_ptr<LoginScreenView> CreateLoginScreenView(
      LoginScreenEvents& events, browser::BrowserEvents& browser_events) override;
  std::unique_ptr<WebMainFrmView> CreateMainWindowView(WebMainFrmEvents& events) override;
  std::unique_ptr<WebUrlView> CreatePageView(browser::BrowserEvents& events) override;
  std::unique_ptr<MsgFrmView> CreateMsgFrmView(MsgFrmEvents& events) override;
};

}  // namespace orvane::gtk
