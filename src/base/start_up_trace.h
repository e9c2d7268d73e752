#pragma once
// The start-up trace: when the environment variable ORVANE_TRACE names a file, the client
// appends one line to it the first time it reaches each of a few points of its start, with
// the time of the steady clock, so that a benchmark can tell how long the player waits for
// the splash, the login page and the game. Without the variable nothing is written and
// nothing is kept.

#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

namespace orvane {

inline constexpr std::string_view kStartUpTraceVariable = "ORVANE_TRACE";

enum class StartUpPoint {
  kProcessStart,            // main entered
  kSplashShown,             // the splash picture is drawn on screen
  kLoginPageCompleted,      // the login page completed and the login screen is shown
  kFirstGamePageCompleted,  // a game tab's page completed for the first time
};

// The point's name as the trace file writes it.
std::string_view StartUpPointName(StartUpPoint point);

// One trace file. Each point is written once, at its first Mark; later Marks of the same
// point are ignored. A line reads "<point> <nanoseconds>", the nanoseconds counted by
// std::chrono::steady_clock from its epoch (on Linux CLOCK_MONOTONIC, the clock a
// benchmark's own monotonic clock reads). A file that cannot be written loses the line;
// the program goes on as it would without the trace.
class StartUpTrace {
 public:
  // An empty path traces nothing.
  explicit StartUpTrace(std::string path);

  bool Enabled() const { return !path_.empty(); }
  void Mark(StartUpPoint point) noexcept;
  void Mark(StartUpPoint point, std::chrono::steady_clock::time_point at) noexcept;

 private:
  std::string path_;
  std::mutex mutex_;
  unsigned marked_ = 0;  // one bit per point
};

// The process's trace, made from ORVANE_TRACE at its first use.
void MarkStartUp(StartUpPoint point) noexcept;

}  // namespace orvane
