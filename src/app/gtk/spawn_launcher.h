#pragma once

#include "app/update_check.h"

namespace orvane::gtk {

// Starts a program with one argument, in its own session, not waiting for it: the
// shell's "open" of a program on Linux.
class SpawnLauncher final : public ProgramLauncher {
 public:
  bool ShellOpen(const std::string& file, const std::string& parameters) override;
};

}  // namespace orvane::gtk
