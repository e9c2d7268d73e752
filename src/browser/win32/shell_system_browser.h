#pragma once

#include <string>

#include "browser/new_window.h"

namespace orvane::win32 {

// The user's default browser, through the shell's "open" verb.
class ShellSystemBrowser final : public browser::SystemBrowser {
 public:
  void Open(const std::string& address) override;
};

}  // namespace orvane::win32
