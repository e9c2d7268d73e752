#pragma once

#include "app/update_check.h"

namespace orvane::gtk {

// Writes a resource of the program's bundle to a file in the client's private temporary
// folder. The file is written under a fresh name and then renamed over the target, so
// whatever was at the target before (an older copy, or a link someone planted) is
// replaced, never written through. Mode 0700: the updater is a program.
class ResourceFileWriter final : public ResourceWriter {
 public:
  bool SaveResourceToFile(int id, ResourceType type, const std::string& path) override;
};

}  // namespace orvane::gtk
