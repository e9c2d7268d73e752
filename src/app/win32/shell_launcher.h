#pragma once

#include "app/update_check.h"

namespace orvane::win32 {

// The shell's "open" verb, no working folder, shown normally.
class ShellLauncher final : public ProgramLauncher {
 public:
  bool ShellOpen(const std::string& file, const std::string& parameters) override;
};

}  // namespace orvane::win32
