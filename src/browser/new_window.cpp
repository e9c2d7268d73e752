#include "browser/new_window.h"

#include "login/page_commands.h"

namespace orvane::browser {

bool MayOpenInSystemBrowser(std::string_view address) {
  return IsGameAddress(address);
}

void HandNewWindowToSystemBrowser(const std::string& URL, bool& Processed,
                                  SystemBrowser& system_browser) {
  Processed = true;
  if (MayOpenInSystemBrowser(URL)) {
    system_browser.Open(URL);
  }
}

}  // namespace orvane::browser
