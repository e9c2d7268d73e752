#pragma once

#include "updater/updater_ports.h"

namespace orvane::gtk {

// The updater's files on a POSIX file system.
class PosixUpdaterFiles final : public UpdaterFiles {
 public:
  bool CanWriteFolder(const std::string& folder) override;
  std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t limit) override;
  bool Measure(const std::string& path, Sha256Stream& hash, std::uint64_t& size) override;
  bool Remove(const std::string& path) override;
  // The backup is a second name for the old file (a copy where hard links are not
  // possible); rename() then swaps the new file in atomically. File and folder are
  // synced, so that after a power cut the folder holds either client, whole.
  bool Replace(const std::string& program, const std::string& replacement,
               const std::string& backup) override;
};

// True when `path` is a regular file (not a link, folder or device).
bool IsRegularFile(const std::string& path);

}  // namespace orvane::gtk
