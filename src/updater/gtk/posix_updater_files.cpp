#include "updater/gtk/posix_updater_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace orvane::gtk {
namespace {

// A file descriptor closed exactly once.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }

 private:
  int fd_;
};

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool SyncPath(const std::string& path, int flags) {
  const Fd fd(::open(path.c_str(), flags | O_CLOEXEC));
  return fd && ::fsync(fd.get()) == 0;
}

bool CopyFile(const std::string& from, const std::string& to, mode_t mode) {
  const Fd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
  const Fd out(::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode));
  if (!in || !out) {
    return false;
  }
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    const ssize_t got = ::read(in.get(), buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      return false;
    }
    if (got == 0) {
      break;
    }
    for (ssize_t done = 0; done < got;) {
      const ssize_t put = ::write(out.get(), buffer.data() + done, static_cast<size_t>(got - done));
      if (put < 0 && errno == EINTR) {
        continue;
      }
      if (put <= 0) {
        return false;
      }
      done += put;
    }
  }
  return ::fsync(out.get()) == 0;
}

}  // namespace

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool PosixUpdaterFiles::CanWriteFolder(const std::string& folder) {
  std::string probe = folder;
  if (probe.empty() || probe.back() != '/') {
    probe.push_back('/');
  }
  probe += ".orvane-update-probe-" + std::to_string(::getpid());
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) {
    return false;
  }
  ::close(fd);
  ::unlink(probe.c_str());
  return true;
}

std::optional<std::string> PosixUpdaterFiles::ReadSmallFile(const std::string& path,
                                                            std::size_t limit) {
  const Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd) {
    return std::nullopt;
  }
  std::string text;
  std::vector<char> buffer(4096);
  for (;;) {
    const ssize_t got = ::read(fd.get(), buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      return std::nullopt;
    }
    if (got == 0) {
      return text;
    }
    text.append(buffer.data(), static_cast<std::size_t>(got));
    if (text.size() > limit) {
      return std::nullopt;
    }
  }
}

bool PosixUpdaterFiles::Measure(const std::string& path, Sha256Stream& hash, std::uint64_t& size) {
  const Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd) {
    return false;
  }
  size = 0;
  std::vector<std::uint8_t> buffer(64 * 1024);
  for (;;) {
    const ssize_t got = ::read(fd.get(), buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      return false;
    }
    if (got == 0) {
      return true;
    }
    size += static_cast<std::uint64_t>(got);
    if (!hash.Update({buffer.data(), static_cast<std::size_t>(got)})) {
      return false;
    }
  }
}

bool PosixUpdaterFiles::Remove(const std::string& path) {
  return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

bool PosixUpdaterFiles::Replace(const std::string& program, const std::string& replacement,
                                const std::string& backup) {
  struct stat info {};
  if (::lstat(program.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    return false;
  }
  const mode_t mode = info.st_mode & 07777 & ~static_cast<mode_t>(S_ISUID | S_ISGID);
  // The new file gets the old one's permissions (0755 for an installed client) and is
  // on disk whole before it takes the program's name.
  if (::chmod(replacement.c_str(), mode) != 0 || !SyncPath(replacement, O_RDONLY)) {
    return false;
  }
  ::unlink(backup.c_str());
  if (::link(program.c_str(), backup.c_str()) != 0 && !CopyFile(program, backup, mode)) {
    return false;
  }
  const std::string folder = FolderOf(program);
  if (!SyncPath(folder, O_RDONLY | O_DIRECTORY)) {
    return false;
  }
  if (::rename(replacement.c_str(), program.c_str()) != 0) {
    return false;
  }
  if (!SyncPath(folder, O_RDONLY | O_DIRECTORY)) {
    // Not known to be durable: put the old file back, which is whole in the backup.
    ::rename(backup.c_str(), program.c_str());
    ::link(program.c_str(), backup.c_str());
    return false;
  }
  return true;
}

}  // namespace orvane::gtk
