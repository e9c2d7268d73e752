// The Linux client's ports to the desktop: connectivity from GIO's network monitor (in
// network namespaces of its own, with and without a default route) and addresses handed
// to the desktop's default browser (a stand-in handler in a private XDG_DATA_HOME that
// records what it is asked to open).
#include <gtest/gtest.h>
#include <sched.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "app/gtk/gio_platform.h"
#include "support/gtk/real_input.h"

namespace orvane::gtk {
namespace {

// Runs the monitor in a child process inside a network namespace of its own, after
// `setup` (a shell command run inside it). 1: connected, 0: not, -1: no namespace.
int ConnectedInFreshNetwork(const char* setup) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::unshare(CLONE_NEWNET) != 0) {
      ::_exit(3);
    }
    if (setup != nullptr && std::system(setup) != 0) {
      ::_exit(4);
    }
    GioConnectivity connectivity;
    ::_exit(connectivity.IsConnected() ? 1 : 0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) {
    return -1;
  }
  return WEXITSTATUS(status);
}

TEST(GioConnectivity, ANetworkWithoutADefaultRouteIsNoConnection) {
  const int connected = ConnectedInFreshNetwork("ip link set lo up");
  if (connected < 0) {
    GTEST_SKIP() << "no network namespace can be made here (needs root or user namespaces)";
  }
  EXPECT_EQ(connected, 0);
}

TEST(GioConnectivity, ANetworkWithADefaultRouteIsAConnection) {
  // Loopback is the only link a fresh namespace has; a default route over it is enough
  // for the monitor, which looks at the routes, not at what lies behind them.
  const int connected = ConnectedInFreshNetwork("ip link set lo up && ip route add default dev lo");
  if (connected < 0) {
    GTEST_SKIP() << "no network namespace with a route of its own can be made here";
  }
  EXPECT_EQ(connected, 1);
}

// A private desktop whose default browser is a script that records its argument.
class StandInBrowser {
 public:
  StandInBrowser() {
    root_ = "/tmp/orvane-desktop-XXXXXX";
    if (::mkdtemp(root_.data()) == nullptr) {
      return;
    }
    const std::string data = root_ + "/data";
    const std::string config = root_ + "/config";
    ::mkdir(data.c_str(), 0700);
    ::mkdir((data + "/applications").c_str(), 0700);
    ::mkdir(config.c_str(), 0700);
    ::mkdir((root_ + "/empty").c_str(), 0700);
    record_ = root_ + "/opened.txt";
    const std::string script = root_ + "/browser.sh";
    std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << record_ << "'\n";
    ::chmod(script.c_str(), 0700);
    std::ofstream(data + "/applications/orvane-test-browser.desktop")
        << "[Desktop Entry]\nType=Application\nName=Stand-in browser\nExec=" << script
        << " %u\nMimeType=x-scheme-handler/http;x-scheme-handler/https;\nNoDisplay=true\n";
    std::ofstream(config + "/mimeapps.list")
        << "[Default Applications]\nx-scheme-handler/http=orvane-test-browser.desktop\n"
           "x-scheme-handler/https=orvane-test-browser.desktop\n";
    ::setenv("XDG_DATA_HOME", data.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    // No other handler of the machine may answer.
    ::setenv("XDG_DATA_DIRS", (root_ + "/empty").c_str(), 1);
    ::setenv("XDG_CONFIG_DIRS", (root_ + "/empty").c_str(), 1);
    // The client's temporary folder, so that no update file of an earlier run is read.
    ::mkdir((root_ + "/run").c_str(), 0700);
    ::setenv("XDG_RUNTIME_DIR", (root_ + "/run").c_str(), 1);
  }
  ~StandInBrowser() {
    const std::string command = "rm -rf '" + root_ + "'";
    (void)std::system(command.c_str());
  }
  std::string Opened() const {
    std::ifstream in(record_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  std::string root_;
  std::string record_;
};

TEST(GioAddressLauncher, HandsWebAddressesToTheDefaultBrowserAndNothingElse) {
  StandInBrowser browser;
  GioAddressLauncher launcher;
  EXPECT_FALSE(launcher.OpenAddress("file:///etc/passwd"));
  EXPECT_FALSE(launcher.OpenAddress("javascript:alert(1)"));
  EXPECT_TRUE(launcher.OpenAddress("http://127.0.0.1:9/"));
  EXPECT_TRUE(test_input::WaitUntil([&] { return !browser.Opened().empty(); }));
  EXPECT_EQ(browser.Opened(), "http://127.0.0.1:9/\n");
}

#ifdef ORVANE_CLIENT_PROGRAM
// The real program started with "/web": the home page goes to the default browser and the
// program ends without a window. The update file is not there (an unused port), which the
// start-up check passes over silently.
TEST(ClientProgram, WebOpensTheHomePageAndEnds) {
  StandInBrowser browser;
  ::setenv("ORVANE_PUBLISHER", "http://127.0.0.1:9", 1);
  const std::string command = std::string("'") + ORVANE_CLIENT_PROGRAM + "' /web";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(test_input::WaitUntil([&] { return !browser.Opened().empty(); }));
  EXPECT_EQ(browser.Opened(), "http://127.0.0.1:9/\n");
}

#endif

}  // namespace
}  // namespace orvane::gtk
