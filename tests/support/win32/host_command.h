#pragma once
// Commands of the Unix host for tests under Wine: Wine starts a native program named by its
// Unix path, but hands back no process to wait on, so each command runs through /bin/sh,
// which writes the command's exit status to a file the test waits for (pumping messages
// meanwhile, so that windows of the test keep answering).
#include <string>

namespace orvane::win32::test_input {

// Whether this program runs under Wine (its ntdll says so).
bool UnderWine();

// Runs `script` with the host's /bin/sh, output discarded. Its exit status, or -1 when it
// could not be started or did not end within `seconds`.
int HostCommand(const std::string& script, int seconds = 30);

// A host program kept running in the background for one test and ended with the object.
class HostProgram {
 public:
  // `command` is a shell command line without the trailing '&'.
  explicit HostProgram(const std::string& command);
  ~HostProgram();
  HostProgram(const HostProgram&) = delete;
  HostProgram& operator=(const HostProgram&) = delete;

  bool Started() const { return started_; }

 private:
  std::string pid_file_;
  bool started_ = false;
};

}  // namespace orvane::win32::test_input
