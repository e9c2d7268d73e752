#include "support/win32/screen_shot.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>

#include "support/win32/real_input.h"

namespace orvane::win32::test_input {

bool SaveScreenShot(const std::string& name) {
  const char* folder = std::getenv("ORVANE_SCREENSHOT_DIR");
  if (folder == nullptr || *folder == '\0') {
    return false;
  }
  // A Unix folder handed through Wine's environment lies on the drive Z: maps.
  std::string base = folder;
  if (base.front() == '/') {
    base = "Z:" + base;
  }
  base += "\\" + name;
  const std::string picture = base + ".png";
  ::DeleteFileA(picture.c_str());
  // What the windows drew reaches the display while the thread handles its messages.
  for (int i = 0; i < 10; ++i) {
    Pump();
    ::Sleep(30);
  }
  std::ofstream(base + ".request") << name << '\n';
  // The windows keep answering (painting) while the picture is taken; up to 30 seconds.
  for (int i = 0; i < 1000; ++i) {
    if (::GetFileAttributesA(picture.c_str()) != INVALID_FILE_ATTRIBUTES) {
      return true;
    }
    Pump();
    ::Sleep(30);
  }
  return false;
}

}  // namespace orvane::win32::test_input
