// A stand-in for Orvane.exe in the updater's tests under Wine. Each start appends the tag
// its own file ends with (a last line "ORVANE-STANDIN:<tag>") to "starts.log" in its
// folder, so a test sees which file was started and how often.
#include <windows.h>

#include <string>
#include <vector>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  wchar_t self[MAX_PATH * 2];
  const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
  if (length == 0) {
    return 1;
  }
  const std::wstring path(self, length);
  HANDLE in = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (in == INVALID_HANDLE_VALUE) {
    return 1;
  }
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(in, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    bytes.append(buffer, got);
  }
  ::CloseHandle(in);
  const std::string marker = "ORVANE-STANDIN:";
  const std::size_t at = bytes.rfind(marker);
  std::string tag = "untagged";
  if (at != std::string::npos) {
    tag = bytes.substr(at + marker.size());
    tag = tag.substr(0, tag.find('\n'));
  }
  tag += "\n";
  const std::wstring log = path.substr(0, path.find_last_of(L'\\')) + L"\\starts.log";
  HANDLE out = ::CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                             0, nullptr);
  if (out == INVALID_HANDLE_VALUE) {
    return 1;
  }
  DWORD written = 0;
  ::WriteFile(out, tag.data(), static_cast<DWORD>(tag.size()), &written, nullptr);
  ::CloseHandle(out);
  return 0;
}
