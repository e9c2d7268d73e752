#pragma once

#include <functional>
#include <string>

namespace orvane {

// Whether the machine has an Internet connection, as the platform sees it.
class Connectivity {
 public:
  virtual ~Connectivity() = default;
  virtual bool IsConnected() = 0;
};

// Opens an address in the system's default browser, shown normally (the shell's "open"
// verb on Windows, the desktop's handler for the address elsewhere).
class AddressLauncher {
 public:
  virtual ~AddressLauncher() = default;
  virtual bool OpenAddress(const std::string& address) = 0;
};

// The platform's message loop, as the client ends it.
class ProgramLoop {
 public:
  virtual ~ProgramLoop() = default;
  // Makes the running loop return; the program then ends with `exit_code`.
  virtual void Quit(int exit_code) = 0;
};

// Runs work from the message loop once the event being handled has returned. A window is
// never destroyed inside one of its own (or its children's) event handlers; the unload
// is posted here instead.
class DeferredCalls {
 public:
  virtual ~DeferredCalls() = default;
  virtual void Post(std::function<void()> call) = 0;
};

}  // namespace orvane
