#pragma once

#include "app/update_check.h"

namespace orvane::win32 {

// Writes a resource of the program to a file (`SaveResourceToFile`): under a fresh name
// first, then moved over the target in one step, so a file half written is never started
// and whatever stood at the target before is replaced, not written through.
class ResourceFileWriter final : public ResourceWriter {
 public:
  bool SaveResourceToFile(int id, ResourceType type, const std::string& path) override;
};

}  // namespace orvane::win32
