#include "app/gtk/posix_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace orvane::gtk {
namespace {

// An open file descriptor, closed once.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() { Close(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  bool Close() {
    if (fd_ < 0) {
      return true;
    }
    const int fd = fd_;
    fd_ = -1;
    // After a close interrupted by a signal Linux has released the descriptor anyway.
    return ::close(fd) == 0 || errno == EINTR;
  }

 private:
  int fd_;
};

class PosixOutputFile final : public OutputFile {
 public:
  explicit PosixOutputFile(int fd) : fd_(fd) {}
  bool Write(std::span<const char> bytes) override {
    while (!bytes.empty()) {
      const ssize_t written = ::write(fd_.Get(), bytes.data(), bytes.size());
      if (written < 0) {
        if (errno == EINTR) {
          continue;
        }
        return false;
      }
      bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
  }
  bool Close() override { return fd_.Close(); }

 private:
  Descriptor fd_;
};

class PosixByteSource final : public ByteSource {
 public:
  explicit PosixByteSource(int fd) : fd_(fd) {}
  std::size_t Read(std::span<char> buffer) override {
    while (true) {
      const ssize_t count = ::read(fd_.Get(), buffer.data(), buffer.size());
      if (count >= 0) {
        return static_cast<std::size_t>(count);
      }
      if (errno != EINTR) {
        return 0;  // a read error ends the text like its end would
      }
    }
  }

 private:
  Descriptor fd_;
};

}  // namespace

std::unique_ptr<OutputFile> PosixOutputFiles::CreateAlways(const std::string& path, bool hidden) {
  (void)hidden;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    return nullptr;
  }
  return std::make_unique<PosixOutputFile>(fd);
}

bool PosixOutputFiles::Remove(const std::string& path) {
  return ::unlink(path.c_str()) == 0;
}

bool PosixOutputFiles::Rename(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool PosixUpdateFiles::Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

std::unique_ptr<TextLineSource> PosixUpdateFiles::OpenLines(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    return nullptr;
  }
  return std::make_unique<CrLineReader>(std::make_unique<PosixByteSource>(fd));
}

}  // namespace orvane::gtk
