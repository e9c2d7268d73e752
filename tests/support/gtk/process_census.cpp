#include "support/gtk/process_census.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace orvane::gtk::test_process {

namespace fs = std::filesystem;

int ChildCount(pid_t parent, std::string_view name_prefix) {
  int count = 0;
  std::error_code ignored;
  for (const fs::directory_entry& entry : fs::directory_iterator("/proc", ignored)) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) {
      continue;
    }
    std::ifstream stat(entry.path() / "stat");
    std::string text;
    std::getline(stat, text);
    // "pid (name) state ppid ...": the name may hold spaces and parentheses, so the fields
    // after it are read from its last ')'.
    const std::size_t open = text.find('(');
    const std::size_t close = text.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open) {
      continue;
    }
    const std::string_view comm(text.data() + open + 1, close - open - 1);
    std::istringstream rest(text.substr(close + 1));
    char state = 0;
    long ppid = 0;
    rest >> state >> ppid;
    if (ppid == parent && comm.substr(0, name_prefix.size()) == name_prefix) {
      ++count;
    }
  }
  return count;
}

long ResidentKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) {
      return std::atol(line.c_str() + 6);
    }
  }
  return -1;
}

}  // namespace orvane::gtk::test_process
