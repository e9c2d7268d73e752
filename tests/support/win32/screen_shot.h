#pragma once
// Pictures of the screen for the documentation. Under Wine the display is the X server's,
// which a Windows program cannot read back as shown (menus and layered windows are X
// windows of their own), so the picture is taken outside: when ORVANE_SCREENSHOT_DIR names
// a folder, SaveScreenShot leaves <name>.request there and pumps messages until a watcher
// (orvane_screenshot_watcher in tools/testenv.sh) has written <name>.png of the whole
// screen. Without the variable nothing happens.
#include <string>

namespace orvane::win32::test_input {

// Returns whether the picture arrived; false also when none was asked for.
bool SaveScreenShot(const std::string& name);

}  // namespace orvane::win32::test_input
