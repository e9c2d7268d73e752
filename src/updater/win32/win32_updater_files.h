#pragma once

#include "app/event_pump.h"
#include "app/output_file.h"
#include "updater/updater_ports.h"

namespace orvane::win32 {

// The updater's files through the wide Win32 calls (paths in UTF-8).
class Win32UpdaterFiles final : public UpdaterFiles, public OutputFiles {
 public:
  bool CanWriteFolder(const std::string& folder) override;
  std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t limit) override;
  bool Measure(const std::string& path, Sha256Stream& hash, std::uint64_t& size) override;
  bool Remove(const std::string& path) override;
  // The backup is a copy of the old file; MoveFileExW with replace-existing and
  // write-through then puts the new one in its place in one step.
  bool Replace(const std::string& program, const std::string& replacement,
               const std::string& backup) override;

  std::unique_ptr<OutputFile> CreateAlways(const std::string& path, bool hidden) override;
  bool Rename(const std::string& from, const std::string& to) override;
};

// True when `path` is a plain file (not a folder, device or link).
bool IsRegularFile(const std::string& path);

// Looks through the process list for one whose image is the client.
class Win32ProcessWaiter final : public ProcessWaiter {
 public:
  explicit Win32ProcessWaiter(EventPump& pump) : pump_(pump) {}
  bool WaitUntilNotRunning(const std::string& path, int seconds) override;

 private:
  EventPump& pump_;
};

// Starts a program with no arguments in its own folder.
class Win32ProgramStarter final : public ProgramStarter {
 public:
  bool Start(const std::string& path) override;
};

}  // namespace orvane::win32
