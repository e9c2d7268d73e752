// Starts tools/publisher as a child process on a free loopback port.
#include "support/publisher_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>

extern char** environ;

namespace orvane::test {
namespace {

constexpr auto kStartLimit = std::chrono::seconds(30);

class ChildPublisher final : public PublisherProcess {
 public:
  ChildPublisher(std::string base, pid_t pid, std::string folder)
      : PublisherProcess(std::move(base)), pid_(pid), folder_(std::move(folder)) {}
  ~ChildPublisher() override { Stop(pid_, folder_); }

  static void Stop(pid_t pid, const std::string& folder) {
    if (pid > 0) {
      ::kill(pid, SIGTERM);
      int status = 0;
      ::waitpid(pid, &status, 0);
    }
    ::unlink((folder + "/port").c_str());
    ::rmdir(folder.c_str());
  }

 private:
  pid_t pid_;
  std::string folder_;
};

std::string ReadPort(const std::string& file) {
  std::ifstream in(file);
  std::string port;
  in >> port;
  return port;
}

}  // namespace

std::unique_ptr<PublisherProcess> PublisherProcess::Start() {
  if (std::unique_ptr<PublisherProcess> named = PublisherNamedByRunner()) {
    return named;
  }

  std::string folder = "/tmp/orvane-publisher-XXXXXX";
  if (::mkdtemp(folder.data()) == nullptr) {
    throw std::runtime_error("publisher: no temporary folder for the port file");
  }
  const std::string port_file = folder + "/port";
  const std::string script = std::string(ORVANE_SOURCE_DIR) + "/tools/publisher";

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // The server's request log must not fill a pipe nobody reads.
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::string python = "python3";
  std::string script_arg = script;
  std::string port_option = "--port";
  std::string port_value = "0";
  std::string file_option = "--port-file";
  std::string file_value = port_file;
  char* argv[] = {python.data(),
                  script_arg.data(),
                  port_option.data(),
                  port_value.data(),
                  file_option.data(),
                  file_value.data(),
                  nullptr};
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, "python3", &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    ChildPublisher::Stop(0, folder);
    throw std::runtime_error("publisher: python3 could not be started");
  }

  // The port file is written whole and then renamed into place.
  const auto give_up = std::chrono::steady_clock::now() + kStartLimit;
  while (std::chrono::steady_clock::now() < give_up) {
    const std::string port = ReadPort(port_file);
    if (!port.empty()) {
      return std::make_unique<ChildPublisher>("http://127.0.0.1:" + port, pid, folder);
    }
    int status = 0;
    if (::waitpid(pid, &status, WNOHANG) == pid) {
      ChildPublisher::Stop(0, folder);
      throw std::runtime_error("publisher: " + script + " ended before it was listening");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ChildPublisher::Stop(pid, folder);
  throw std::runtime_error("publisher: " + script + " did not start listening");
}

}  // namespace orvane::test
