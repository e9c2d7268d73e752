#pragma once

#include "app/client.h"

namespace orvane::gtk {

// The client's windows on Linux.
class GtkClientViews final : public ClientViews {
 public:
  std::unique_ptr<SplashView> CreateSplashView(SplashEvents& events) override;
  // The login screen's windows with their WebKit view are not part of this build yet: the
  // start stops here with the splash on screen.
  std::unique_ptr<LoginScreenView> CreateLoginScreenView(
      LoginScreenEvents& events, browser::BrowserEvents& browser_events) override;
};

}  // namespace orvane::gtk
