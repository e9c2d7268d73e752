#include "base/start_up_trace.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace orvane {

std::string_view StartUpPointName(StartUpPoint point) {
  switch (point) {
    case StartUpPoint::kProcessStart:
      return "process-start";
    case StartUpPoint::kSplashShown:
      return "splash-shown";
    case StartUpPoint::kLoginPageCompleted:
      return "login-page-completed";
    case StartUpPoint::kFirstGamePageCompleted:
      return "first-game-page-completed";
  }
  return "unknown";
}

StartUpTrace::StartUpTrace(std::string path) : path_(std::move(path)) {}

void StartUpTrace::Mark(StartUpPoint point) noexcept {
  // The time is taken before anything else, so that the file's own cost is not counted.
  Mark(point, std::chrono::steady_clock::now());
}

void StartUpTrace::Mark(StartUpPoint point, std::chrono::steady_clock::time_point at) noexcept {
  if (path_.empty()) {
    return;
  }
  const unsigned bit = 1u << static_cast<unsigned>(point);
  std::lock_guard lock(mutex_);
  if ((marked_ & bit) != 0) {
    return;
  }
  marked_ |= bit;
  const long long ns =
      std::chrono::duration_cast<std::chrono::nanoseconds>(at.time_since_epoch()).count();
  const std::string_view name = StartUpPointName(point);
  // Opened for each line: four lines in a run, and a line written is on disk even when
  // the program is ended by a signal.
  if (std::FILE* file = std::fopen(path_.c_str(), "a")) {
    std::fprintf(file, "%.*s %lld\n", static_cast<int>(name.size()), name.data(), ns);
    std::fclose(file);
  }
}

void MarkStartUp(StartUpPoint point) noexcept {
  const auto at = std::chrono::steady_clock::now();
  static StartUpTrace trace([] {
    const char* value = std::getenv(std::string(kStartUpTraceVariable).c_str());
    return std::string(value != nullptr ? value : "");
  }());
  trace.Mark(point, at);
}

}  // namespace orvane
