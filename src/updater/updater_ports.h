#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "updater/release_crypto.h"

namespace orvane {

// The updater's window: a progress bar, one status line, a "取消" button.
class UpdaterView {
 public:
  virtual ~UpdaterView() = default;
  virtual void SetStatus(std::string_view text) = 0;
  // `total` 0: the length is not known yet; the bar shows nothing done.
  virtual void SetProgress(std::int64_t done, std::int64_t total) = 0;
  virtual void EnableCancel(bool enabled) = 0;
  // A modal message box with an error icon, titled like the window.
  virtual void ShowError(std::string_view text) = 0;
};

// What the updater does to files. Paths are the platform's own.
class UpdaterFiles {
 public:
  virtual ~UpdaterFiles() = default;
  // True when a new file can be created in `folder` (tried with a file of its own,
  // removed again).
  virtual bool CanWriteFolder(const std::string& folder) = 0;
  // At most `limit` bytes of the file; nothing when it cannot be read or is longer.
  virtual std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t limit) = 0;
  // Size and SHA-256 of a file, read in pieces; false when it cannot be read.
  virtual bool Measure(const std::string& path, Sha256Stream& hash, std::uint64_t& size) = 0;
  virtual bool Remove(const std::string& path) = 0;
  // Keeps a copy of `program` as `backup`, then puts `replacement` in its place in one
  // step, made durable on disk, with the program's permissions. At no moment is
  // `program` missing or partly written. On failure `program` is as it was.
  virtual bool Replace(const std::string& program, const std::string& replacement,
                       const std::string& backup) = 0;
};

// Waits for the client to end.
class ProcessWaiter {
 public:
  virtual ~ProcessWaiter() = default;
  // True once no process runs the program at `path`; false after `seconds` have passed
  // with one still running. Keeps the window alive meanwhile.
  virtual bool WaitUntilNotRunning(const std::string& path, int seconds) = 0;
};

// Starts a program without arguments, in its own folder, not waiting for it.
class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  virtual bool Start(const std::string& path) = 0;
};

}  // namespace orvane
