#pragma once

#include "app/output_file.h"
#include "app/update_check.h"

namespace orvane::win32 {

// The download's files: created for writing while others may read them, replacing an
// existing file, hidden or normal.
class Win32OutputFiles final : public OutputFiles {
 public:
  std::unique_ptr<OutputFile> CreateAlways(const std::string& path, bool hidden) override;
  bool Remove(const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to) override;
};

// The update file as the update check reads it; hidden files count as present.
class Win32UpdateFiles final : public UpdateFiles {
 public:
  bool Exists(const std::string& path) override;
  std::unique_ptr<TextLineSource> OpenLines(const std::string& path) override;
};

}  // namespace orvane::win32
