#pragma once

#include <string>

#include "browser/new_window.h"

namespace orvane::gtk {

// The user's default browser, through the desktop's handler for the address's scheme.
class DefaultSystemBrowser final : public browser::SystemBrowser {
 public:
  void Open(const std::string& address) override;
};

}  // namespace orvane::gtk
