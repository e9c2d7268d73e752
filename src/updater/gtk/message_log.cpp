#include "updater/gtk/message_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace orvane::gtk {
namespace {

constexpr const char* kMessageLogVariable = "ORVANE_UPDATER_MESSAGE_LOG";

// A file descriptor closed exactly once.
class LogFile {
 public:
  explicit LogFile(int fd) : fd_(fd) {}
  ~LogFile() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

bool AppendToMessageLog(std::string_view text) {
  const char* path = std::getenv(kMessageLogVariable);
  if (path == nullptr || path[0] != '/') {
    return false;
  }
  // Never through a link, never blocking on a pipe or a device.
  const LogFile log(
      ::open(path, O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600));
  struct stat st {};
  if (log.get() < 0 || ::fstat(log.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
    return false;
  }
  std::string line(text);
  line += '\n';
  return ::write(log.get(), line.data(), line.size()) == static_cast<ssize_t>(line.size());
}

}  // namespace orvane::gtk
