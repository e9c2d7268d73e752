#pragma once

#include "app/output_file.h"
#include "app/update_check.h"

namespace orvane::gtk {

// The download's files on a POSIX file system. Linux has no hidden attribute; the
// client's files live in its private temporary folder, which nobody else can list.
class PosixOutputFiles final : public OutputFiles {
 public:
  std::unique_ptr<OutputFile> CreateAlways(const std::string& path, bool hidden) override;
  bool Remove(const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to) override;
};

// The update file as the update check reads it.
class PosixUpdateFiles final : public UpdateFiles {
 public:
  bool Exists(const std::string& path) override;
  std::unique_ptr<TextLineSource> OpenLines(const std::string& path) override;
};

}  // namespace orvane::gtk
