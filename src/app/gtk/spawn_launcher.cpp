#include "app/gtk/spawn_launcher.h"

#include <spawn.h>

extern char** environ;

namespace orvane::gtk {

bool SpawnLauncher::ShellOpen(const std::string& file, const std::string& parameters) {
  posix_spawnattr_t attributes;
  if (posix_spawnattr_init(&attributes) != 0) {
    return false;
  }
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  std::string program = file;
  std::string argument = parameters;
  char* const argv[] = {program.data(), argument.data(), nullptr};
  pid_t child = 0;
  const int error = ::posix_spawn(&child, program.c_str(), nullptr, &attributes, argv, environ);
  posix_spawnattr_destroy(&attributes);
  return error == 0;
}

}  // namespace orvane::gtk
