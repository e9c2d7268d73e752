#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "base/temp_folder.h"

namespace orvane {
namespace {

bool IsUsableBase(const std::string& path) {
  struct stat st {};
  return !path.empty() && path.front() == '/' && ::stat(path.c_str(), &st) == 0 &&
         S_ISDIR(st.st_mode);
}

// Our folder must be a real directory we own that nobody else can write to.
bool MakePrivate(const std::string& path) {
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
    return false;
  }
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) {
    return false;
  }
  if ((st.st_mode & 0077) != 0 && ::chmod(path.c_str(), 0700) != 0) {
    return false;
  }
  return true;
}

}  // namespace

std::string GetTempFolder() {
  std::string base;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && IsUsableBase(runtime)) {
    base = runtime;
  } else if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && IsUsableBase(cache)) {
    base = cache;
  } else if (const char* home = std::getenv("HOME"); home && IsUsableBase(home)) {
    base = std::string(home) + "/.cache";
    if (!IsUsableBase(base) && ::mkdir(base.c_str(), 0700) != 0) {
      return {};
    }
  } else {
    return {};
  }
  const std::string folder = base + "/orvane";
  if (!MakePrivate(folder)) {
    return {};
  }
  return folder + "/";
}

}  // namespace orvane
