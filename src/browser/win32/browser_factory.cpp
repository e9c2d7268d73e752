#include "browser/win32/browser_factory.h"

#include "browser/win32/web_browser_host.h"

namespace orvane::win32 {

BrowserFactory SystemBrowserFactory() {
  return [](HWND parent, browser::BrowserEvents& events) -> std::unique_ptr<browser::Browser> {
    return std::make_unique<WebBrowserHost>(parent, events);
  };
}

}  // namespace orvane::win32
