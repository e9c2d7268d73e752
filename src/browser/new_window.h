#pragma once

#include <string>
#include <string_view>

namespace orvane::browser {

// The user's default web browser, outside the client.
class SystemBrowser {
 public:
  virtual ~SystemBrowser() = default;
  // Opens `address` there, shown normally; the outcome is not reported.
  virtual void Open(const std::string& address) = 0;
};

// Whether a page's request for a new window may be handed to the system browser: only
// http:// and https:// addresses with a host (the same rule as a game address). A page
// must never make the client open a local file, start a program or follow another scheme.
bool MayOpenInSystemBrowser(std::string_view address);

// A page asked for a new window. The client never opens one of its own (`Processed` is
// always set); an address the system browser may open goes there, anything else is dropped.
void HandNewWindowToSystemBrowser(const std::string& URL, bool& Processed,
                                  SystemBrowser& system_browser);

}  // namespace orvane::browser
