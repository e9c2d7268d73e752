#pragma once
// What /proc tells about processes: how many children of a process run a given program,
// and a process's resident size.
#include <sys/types.h>

#include <string_view>

namespace orvane::gtk::test_process {

// The children of `parent` whose name (the kernel keeps its first 15 characters) starts
// with `name_prefix`. Zombies count: a child nobody reaped is still left behind.
int ChildCount(pid_t parent, std::string_view name_prefix);

// The web processes WebKit started for `parent` ("WebKitWebProcess").
inline int WebProcessCount(pid_t parent) {
  return ChildCount(parent, "WebKitWebProces");
}

// The resident size of process `pid` in kilobytes; -1 when it cannot be read.
long ResidentKb(pid_t pid);

}  // namespace orvane::gtk::test_process
