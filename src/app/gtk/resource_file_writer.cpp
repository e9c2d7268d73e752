#include "app/gtk/resource_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <vector>

namespace orvane::gtk {
namespace {

bool WriteWhole(int fd, const std::vector<std::uint8_t>& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) {
      continue;
    }
    if (put <= 0) {
      return false;
    }
    done += static_cast<std::size_t>(put);
  }
  return true;
}

}  // namespace

bool ResourceFileWriter::SaveResourceToFile(int id, ResourceType type, const std::string& path) {
  const auto bytes = LoadResourceBytes(type, id);
  if (!bytes) {
    return false;
  }
  const std::string fresh = path + "." + std::to_string(::getpid()) + ".tmp";
  ::unlink(fresh.c_str());
  const int fd = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0700);
  if (fd < 0) {
    return false;
  }
  const bool written = WriteWhole(fd, *bytes) && ::fchmod(fd, 0700) == 0 && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || ::rename(fresh.c_str(), path.c_str()) != 0) {
    ::unlink(fresh.c_str());
    return false;
  }
  return true;
}

}  // namespace orvane::gtk
