#include "app/gtk/gtk_client_views.h"

#include "app/gtk/gtk_splash_view.h"

namespace orvane::gtk {

std::unique_ptr<SplashView> GtkClientViews::CreateSplashView(SplashEvents& events) {
  return std::make_unique<GtkSplashView>(events);
}

std::unique_ptr<LoginScreenView> GtkClientViews::CreateLoginScreenView(LoginScreenEvents&,
                                                                       browser::BrowserEvents&) {
  return nullptr;
}

}  // namespace orvane::gtk
