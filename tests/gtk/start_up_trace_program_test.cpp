// The real client asked for a start-up trace: against the publisher, under Xvfb, it writes
// main's start, the splash's first draw and the login screen's showing, each once, in the
// order they happen on the steady clock.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/publisher_process.h"

#ifdef ORVANE_CLIENT_PROGRAM

namespace orvane {
namespace {

namespace fs = std::filesystem;

struct TraceLine {
  std::string point;
  long long ns = 0;
};

std::vector<TraceLine> ReadTrace(const fs::path& path) {
  std::vector<TraceLine> lines;
  std::ifstream in(path);
  for (std::string text; std::getline(in, text);) {
    std::istringstream fields(text);
    TraceLine line;
    fields >> line.point >> line.ns;
    lines.push_back(line);
  }
  return lines;
}

bool Has(const std::vector<TraceLine>& lines, const std::string& point) {
  for (const TraceLine& line : lines) {
    if (line.point == point) {
      return true;
    }
  }
  return false;
}

// The client with private folders and the trace variable set (or not) as asked.
class TracedClient {
 public:
  TracedClient(const std::string& publisher, bool traced) {
    char pattern[] = "/tmp/orvane-trace-XXXXXX";
    root_ = ::mkdtemp(pattern);
    for (const char* sub : {"data", "cache", "tmp"}) {
      fs::create_directory(root_ / sub);
    }
    trace_ = root_ / "trace.txt";
    pid_ = ::fork();
    if (pid_ == 0) {
      ::setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
      ::setenv("XDG_CACHE_HOME", (root_ / "cache").c_str(), 1);
      ::setenv("TMPDIR", (root_ / "tmp").c_str(), 1);
      ::setenv("XDG_DATA_DIRS", "/usr/local/share:/usr/share", 1);
      ::setenv("ORVANE_PUBLISHER", publisher.c_str(), 1);
      if (traced) {
        ::setenv("ORVANE_TRACE", trace_.c_str(), 1);
      } else {
        ::unsetenv("ORVANE_TRACE");
      }
      ::execl(ORVANE_CLIENT_PROGRAM, ORVANE_CLIENT_PROGRAM, static_cast<char*>(nullptr));
      ::_exit(127);
    }
  }
  ~TracedClient() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      int status = 0;
      ::waitpid(pid_, &status, 0);
    }
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  TracedClient(const TracedClient&) = delete;
  TracedClient& operator=(const TracedClient&) = delete;

  const fs::path& Trace() const { return trace_; }
  // Whether the program is still running.
  bool Running() const { return ::waitpid(pid_, nullptr, WNOHANG) == 0; }

 private:
  fs::path root_;
  fs::path trace_;
  pid_t pid_ = -1;
};

// Waits up to two minutes (a first WebKit start on a busy machine takes its time).
template <typename Done>
bool WaitFor(Done done) {
  for (int i = 0; i < 1200; ++i) {
    if (done()) {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

class StartUpTraceProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) {
      GTEST_SKIP() << "no X display";
    }
    try {
      publisher_ = test::PublisherProcess::Start();
    } catch (const std::exception& e) {
      FAIL() << e.what();
    }
  }
  std::unique_ptr<test::PublisherProcess> publisher_;
};

TEST_F(StartUpTraceProgramTest, TheStartIsTracedOnceEachPointInTheOrderReached) {
  TracedClient client(publisher_->BaseUrl(), true);
  ASSERT_TRUE(WaitFor(
      [&] { return Has(ReadTrace(client.Trace()), "login-page-completed") || !client.Running(); }));
  ASSERT_TRUE(client.Running()) << "the client ended before showing the login screen";
  // The splash is drawn again while it waits; the trace keeps its first time only.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const std::vector<TraceLine> lines = ReadTrace(client.Trace());
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].point, "process-start");
  EXPECT_EQ(lines[1].point, "splash-shown");
  EXPECT_EQ(lines[2].point, "login-page-completed");
  const long long now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                            std::chrono::steady_clock::now().time_since_epoch())
                            .count();
  EXPECT_LT(lines[0].ns, lines[1].ns);
  EXPECT_LT(lines[1].ns, lines[2].ns);
  EXPECT_LT(lines[2].ns, now);
}

}  // namespace
}  // namespace orvane

#endif  // ORVANE_CLIENT_PROGRAM
