#include "browser/gtk/default_system_browser.h"

#include <gio/gio.h>

namespace orvane::gtk {

void DefaultSystemBrowser::Open(const std::string& address) {
  // A failed launch shows nothing, as the platform's "open" does not either.
  g_app_info_launch_default_for_uri(address.c_str(), nullptr, nullptr);
}

}  // namespace orvane::gtk
