#include "updater/gtk/proc_process_waiter.h"

#include <dirent.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

extern char** environ;

namespace orvane::gtk {
namespace {

struct DirClose {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

bool AllDigits(const char* text) {
  if (*text == '\0') {
    return false;
  }
  for (; *text != '\0'; ++text) {
    if (*text < '0' || *text > '9') {
      return false;
    }
  }
  return true;
}

}  // namespace

bool ProgramRuns(const std::string& path) {
  const std::unique_ptr<DIR, DirClose> proc(::opendir("/proc"));
  if (!proc) {
    return false;
  }
  const std::string own = std::to_string(::getpid());
  while (const dirent* entry = ::readdir(proc.get())) {
    if (!AllDigits(entry->d_name) || own == entry->d_name) {
      continue;
    }
    const std::string link = std::string("/proc/") + entry->d_name + "/exe";
    char target[4096];
    const ssize_t length = ::readlink(link.c_str(), target, sizeof target);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof target) {
      continue;  // gone meanwhile, or another user's process
    }
    if (std::string(target, static_cast<std::size_t>(length)) == path) {
      return true;
    }
  }
  return false;
}

bool ProcProcessWaiter::WaitUntilNotRunning(const std::string& path, int seconds) {
  // /proc names the executable with every link resolved; so must we, or a client started
  // through a linked folder would never be seen running.
  std::string resolved = path;
  if (char* real = ::realpath(path.c_str(), nullptr)) {
    resolved = real;
    std::free(real);
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  for (;;) {
    if (!ProgramRuns(resolved)) {
      return true;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      return false;
    }
    pump_.ProcessPendingEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

bool PosixProgramStarter::Start(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  if (posix_spawn_file_actions_init(&actions) != 0) {
    return false;
  }
  if (posix_spawnattr_init(&attributes) != 0) {
    posix_spawn_file_actions_destroy(&actions);
    return false;
  }
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  char* const argv[] = {const_cast<char*>(path.c_str()), nullptr};
  pid_t child = 0;
  const int error = ::posix_spawn(&child, path.c_str(), &actions, &attributes, argv, environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return error == 0;
}

}  // namespace orvane::gtk
