#include "support/win32/host_command.h"

#include <windows.h>

#include <fstream>

#include "base/win32/unique_handle.h"
#include "support/win32/real_input.h"

namespace orvane::win32::test_input {
namespace {

// A file name of the host's /tmp for this process, in its Unix and its Windows spelling.
struct HostFile {
  std::string unix_path;
  std::string windows_path;
};

HostFile NewHostFile(const char* what) {
  static int count = 0;
  const std::string name = "/tmp/orvane-test-" + std::to_string(::GetCurrentProcessId()) + "-" +
                           std::to_string(++count) + "." + what;
  return {name, "Z:" + name};
}

bool Exists(const std::string& windows_path) {
  return ::GetFileAttributesA(windows_path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool UnderWine() {
  HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

int HostCommand(const std::string& script, int seconds) {
  if (!UnderWine() || script.find('"') != std::string::npos) {
    return -1;
  }
  const HostFile status = NewHostFile("status");
  ::DeleteFileA(status.windows_path.c_str());
  // The status is written under another name and then renamed, so it is never read half
  // written. Wine splits the command line as Windows programs do: no double quotes inside.
  std::string command = "Z:\\bin\\sh -c \"( " + script +
                        " ) </dev/null >/dev/null 2>&1; echo $? >" + status.unix_path +
                        ".part; mv " + status.unix_path + ".part " + status.unix_path + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    return -1;
  }
  // A native program has no Windows process; whatever handles came back are closed.
  UniqueKernelHandle thread(process.hThread);
  UniqueKernelHandle program(process.hProcess);
  const DWORD end = ::GetTickCount() + static_cast<DWORD>(seconds) * 1000;
  while (!Exists(status.windows_path)) {
    if (static_cast<LONG>(::GetTickCount() - end) > 0) {
      return -1;
    }
    Pump();
    ::Sleep(20);
  }
  int code = -1;
  std::ifstream(status.windows_path) >> code;
  ::DeleteFileA(status.windows_path.c_str());
  return code;
}

HostProgram::HostProgram(const std::string& command) {
  const HostFile pid = NewHostFile("pid");
  pid_file_ = pid.unix_path;
  started_ = HostCommand(command + " </dev/null >/dev/null 2>&1 & echo $! >" + pid_file_) == 0;
}

HostProgram::~HostProgram() {
  HostCommand("kill $(cat " + pid_file_ + "); rm -f " + pid_file_);
}

}  // namespace orvane::win32::test_input
