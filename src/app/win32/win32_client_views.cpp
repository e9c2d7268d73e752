#include "app/win32/win32_client_views.h"

#include "app/win32/win32_splash_view.h"

namespace orvane::win32 {

std::unique_ptr<SplashView> Win32ClientViews::CreateSplashView(SplashEvents& events) {
  return std::make_unique<Win32SplashView>(events);
}

std::unique_ptr<LoginScreenView> Win32ClientViews::CreateLoginScreenView(LoginScreenEvents&,
                                                                         browser::BrowserEvents&) {
  return nullptr;
}

std::unique_ptr<WebMainFrmView> Win32ClientViews::CreateMainWindowView(WebMainFrmEvents&) {
  return nullptr;
}

std::unique_ptr<WebUrlView> Win32ClientViews::CreatePageView(browser::BrowserEvents&) {
  return nullptr;
}

std::unique_ptr<MsgFrmView> Win32ClientViews::CreateMsgFrmView(MsgFrmEvents&) {
  return nullptr;
}

}  // namespace orvane::win32
