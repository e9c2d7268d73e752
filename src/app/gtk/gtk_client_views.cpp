#include "app/gtk/gtk_client_views.h"

#include "app/gtk/gtk_splash_view.h"
#include "login/gtk/gtk_login_screen_view.h"

namespace orvane::gtk {

std::unique_ptr<SplashView> GtkClientViews::CreateSplashView(SplashEvents& events) {
  return std::make_unique<GtkSplashView>(events);
}

std::unique_ptr<LoginScreenView> GtkClientViews::CreateLoginScreenView(
    LoginScreenEvents& events, browser::BrowserEvents& browser_events) {
  return std::make_unique<GtkLoginScreenView>(events, browser_events);
}

std::unique_ptr<WebMainFrmView> GtkClientViews::CreateMainWindowView(WebMainFrmEvents&) {
  return nullptr;
}

std::unique_ptr<WebUrlView> GtkClientViews::CreatePageView(browser::BrowserEvents&) {
  return nullptr;
}

std::unique_ptr<MsgFrmView> GtkClientViews::CreateMsgFrmView(MsgFrmEvents&) {
  return nullptr;
}

}  // namespace orvane::gtk
