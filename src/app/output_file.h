#pragma once

#include <memory>
#include <span>
#include <string>

namespace orvane {

// A file open for writing. Destroying it closes it without reporting.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // Writes all of `bytes`; false if they could not all be written.
  virtual bool Write(std::span<const char> bytes) = 0;
  // Closes the file; false if its data could not be committed. Further calls are no-ops.
  virtual bool Close() = 0;
};

// Creates and removes the files a download writes.
class OutputFiles {
 public:
  virtual ~OutputFiles() = default;
  // Creates `path` for writing, replacing and emptying an existing file; other programs
  // may read it meanwhile. `hidden` gives it the hidden attribute where the platform
  // has one. Nothing if the file cannot be created.
  virtual std::unique_ptr<OutputFile> CreateAlways(const std::string& path, bool hidden) = 0;
  // Deletes `path`; false if it could not be deleted.
  virtual bool Remove(const std::string& path) = 0;
  // Puts the closed file `from` in the place of `to`, replacing a file there in one step
  // (a reader of `to` sees the old file or the new one, never a part); `from` keeps its
  // attributes. False, with both left as they were, if it cannot be done.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
};

}  // namespace orvane
