// The start-up trace file: one line per point at its first mark, in the order reached,
// with the steady clock's nanoseconds; nothing at all without a file.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/start_up_trace.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using std::chrono::steady_clock;

class StartUpTraceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = fs::temp_directory_path() / (std::string("orvane-trace-") + info->name() + ".txt");
    fs::remove(path_);
  }
  void TearDown() override { fs::remove(path_); }

  std::vector<std::string> Lines() const {
    std::ifstream in(path_);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
      lines.push_back(line);
    }
    return lines;
  }

  fs::path path_;
};

TEST_F(StartUpTraceTest, EachPointIsWrittenOnceAtItsFirstMarkWithItsTime) {
  StartUpTrace trace(path_.string());
  ASSERT_TRUE(trace.Enabled());
  const steady_clock::time_point start{std::chrono::nanoseconds(1'000'000'123)};
  trace.Mark(StartUpPoint::kProcessStart, start);
  trace.Mark(StartUpPoint::kSplashShown, start + std::chrono::milliseconds(40));
  // A second draw of the splash, a later login page: the first time stands.
  trace.Mark(StartUpPoint::kSplashShown, start + std::chrono::milliseconds(90));
  trace.Mark(StartUpPoint::kLoginPageCompleted, start + std::chrono::seconds(2));
  trace.Mark(StartUpPoint::kLoginPageCompleted, start + std::chrono::seconds(3));
  trace.Mark(StartUpPoint::kFirstGamePageCompleted, start + std::chrono::seconds(5));
  trace.Mark(StartUpPoint::kProcessStart, start + std::chrono::seconds(6));

  EXPECT_EQ(Lines(), (std::vector<std::string>{
                         "process-start 1000000123",
                         "splash-shown 1040000123",
                         "login-page-completed 3000000123",
                         "first-game-page-completed 6000000123",
                     }));
}

TEST_F(StartUpTraceTest, TheClockReadIsTheSteadyClockAtTheMark) {
  StartUpTrace trace(path_.string());
  const auto before = steady_clock::now();
  trace.Mark(StartUpPoint::kProcessStart);
  const auto after = steady_clock::now();
  const std::vector<std::string> lines = Lines();
  ASSERT_EQ(lines.size(), 1u);
  std::istringstream line(lines[0]);
  std::string name;
  long long ns = 0;
  line >> name >> ns;
  EXPECT_EQ(name, "process-start");
  EXPECT_GE(
      ns, std::chrono::duration_cast<std::chrono::nanoseconds>(before.time_since_epoch()).count());
  EXPECT_LE(ns,
            std::chrono::duration_cast<std::chrono::nanoseconds>(after.time_since_epoch()).count());
}

TEST_F(StartUpTraceTest, LinesAreAddedToWhatTheFileHolds) {
  {
    std::ofstream out(path_);
    out << "bench-spawn 5\n";
  }
  StartUpTrace trace(path_.string());
  trace.Mark(StartUpPoint::kSplashShown, steady_clock::time_point{std::chrono::nanoseconds(7)});
  EXPECT_EQ(Lines(), (std::vector<std::string>{"bench-spawn 5", "splash-shown 7"}));
}

TEST_F(StartUpTraceTest, WithoutAFileNothingIsWritten) {
  StartUpTrace trace("");
  EXPECT_FALSE(trace.Enabled());
  trace.Mark(StartUpPoint::kProcessStart);
  EXPECT_FALSE(fs::exists(path_));
}

}  // namespace
}  // namespace orvane
