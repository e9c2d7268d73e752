#pragma once

#include <windows.h>

#include <string>

#include "base/win32/unique_handle.h"

namespace orvane::win32 {

// A window's small and large icon, loaded from an icon file. The window only borrows the
// icons it is given, so they are kept here; the owner destroys the window first.
class WindowIcons {
 public:
  // Loads the `size` x `size` image of the icon file at `icon_file` (UTF-8) and sets it as
  // the window's small (16) or large (any other size) icon. A missing or unreadable file
  // leaves the window's icon as it was. Returns the icon set, or null.
  HICON SetFromFile(HWND window, const std::string& icon_file, int size);

  HICON Small() const { return small_.get(); }
  HICON Large() const { return large_.get(); }

 private:
  UniqueIcon small_;
  UniqueIcon large_;
};

}  // namespace orvane::win32
