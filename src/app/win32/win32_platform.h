#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>

#include "app/start_up_ports.h"
#include "app/update_check.h"
#include "base/win32/unique_handle.h"
#include "base/win32/window_base.h"

namespace orvane::win32 {

// WinINet's connected-state query.
class WinInetConnectivity final : public Connectivity {
 public:
  bool IsConnected() override;
};

// Addresses open with the shell's "open" verb in the default browser, shown normally.
// Only http and https addresses are ever handed out.
class ShellAddressLauncher final : public AddressLauncher {
 public:
  bool OpenAddress(const std::string& address) override;
};

// Programs start with the shell's "open" verb, their parameters, no working folder,
// shown normally.
class ShellProgramLauncher final : public ProgramLauncher {
 public:
  bool ShellOpen(const std::string& file, const std::string& parameters) override;
};

// The thread's message loop as the client runs and ends it, and the calls it runs after
// the current message (posted to a message-only window of its own).
class Win32ProgramLoop final : public ProgramLoop, public DeferredCalls, private BoundWindow {
 public:
  Win32ProgramLoop();
  ~Win32ProgramLoop() override;
  Win32ProgramLoop(const Win32ProgramLoop&) = delete;
  Win32ProgramLoop& operator=(const Win32ProgramLoop&) = delete;

  // Runs until `Quit`; returns the exit code given there.
  int Run();
  void Quit(int exit_code) override;
  void Post(std::function<void()> call) override;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

  std::deque<std::function<void()>> posted_;
  bool post_pending_ = false;
};

}  // namespace orvane::win32
