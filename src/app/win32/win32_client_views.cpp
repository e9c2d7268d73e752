#include "app/win32/win32_client_views.h"

#include "app/win32/msg_frm_window.h"
#include "app/win32/win32_splash_view.h"
#include "login/win32/win32_login_screen_view.h"
#include "mainwin/win32/web_main_frm_window.h"
#include "mainwin/win32/web_url_window.h"

namespace orvane::win32 {

Win32ClientViews::Win32ClientViews(BrowserFactory make_browser)
    : make_browser_(std::move(make_browser)) {}

std::unique_ptr<SplashView> Win32ClientViews::CreateSplashView(SplashEvents& events) {
  return std::make_unique<Win32SplashView>(events);
}

std::unique_ptr<LoginScreenView> Win32ClientViews::CreateLoginScreenView(
    LoginScreenEvents& events, browser::BrowserEvents& browser_events) {
  return std::make_unique<Win32LoginScreenView>(events, browser_events, make_browser_);
}

std::unique_ptr<WebMainFrmView> Win32ClientViews::CreateMainWindowView(WebMainFrmEvents& events) {
  return std::make_unique<WebMainFrmWindow>(events, make_browser_, hand_over_);
}

std::unique_ptr<WebUrlView> Win32ClientViews::CreatePageView(browser::BrowserEvents& events) {
  return std::make_unique<WebUrlWindow>(events, make_browser_);
}

std::unique_ptr<MsgFrmView> Win32ClientViews::CreateMsgFrmView(MsgFrmEvents& events) {
  return std::make_unique<MsgFrmWindow>(events);
}

}  // namespace orvane::win32
