#pragma once

#include <string>

namespace orvane {

// The folder for the client's temporary files (the downloaded update file, the
// updater program, the window icon file), ending in one path separator.
// Windows: the user's temporary folder. Linux: a private per-user folder (mode 0700)
// that is created when missing; never a shared, world-writable path.
// Returns an empty string when no such folder can be had.
std::string GetTempFolder();

}  // namespace orvane
