#pragma once

#include "app/event_pump.h"
#include "updater/updater_ports.h"

namespace orvane::gtk {

// Looks through /proc for a process whose executable is the client, a few times a
// second, keeping the window alive in between.
class ProcProcessWaiter final : public ProcessWaiter {
 public:
  explicit ProcProcessWaiter(EventPump& pump) : pump_(pump) {}
  bool WaitUntilNotRunning(const std::string& path, int seconds) override;

 private:
  EventPump& pump_;
};

// True while some process of this user runs the program at `path`.
bool ProgramRuns(const std::string& path);

// Starts a program with no arguments in its own folder and its own session, so that it
// outlives the updater and never sees the updater's terminal.
class PosixProgramStarter final : public ProgramStarter {
 public:
  bool Start(const std::string& path) override;
};

}  // namespace orvane::gtk
