#pragma once

#include <glib.h>

#include <deque>
#include <functional>
#include <string>

#include "app/start_up_ports.h"
#include "app/update_check.h"

namespace orvane::gtk {

// Connectivity as GIO's network monitor sees it: a network that reaches beyond the
// machine (a default route) counts as a connection.
class GioConnectivity final : public Connectivity {
 public:
  bool IsConnected() override;
};

// Addresses go to the desktop's default handler of their scheme. Only http and https
// addresses are ever handed out.
class GioAddressLauncher final : public AddressLauncher {
 public:
  bool OpenAddress(const std::string& address) override;
};

// Starts a program the client wrote (the updater) with its one argument, detached from
// the client, which is about to end.
class SpawnProgramLauncher final : public ProgramLauncher {
 public:
  bool ShellOpen(const std::string& file, const std::string& parameters) override;
};

// The GLib main loop as the client runs and ends it, and the calls it runs after the
// current event.
class GlibProgramLoop final : public ProgramLoop, public DeferredCalls {
 public:
  GlibProgramLoop();
  ~GlibProgramLoop() override;
  GlibProgramLoop(const GlibProgramLoop&) = delete;
  GlibProgramLoop& operator=(const GlibProgramLoop&) = delete;

  // Runs until `Quit`; returns the exit code given there.
  int Run();
  void Quit(int exit_code) override;
  void Post(std::function<void()> call) override;

 private:
  static gboolean RunPosted(gpointer self);

  GMainLoop* loop_;
  std::deque<std::function<void()>> posted_;
  guint idle_ = 0;
  int exit_code_ = 0;
};

}  // namespace orvane::gtk
