#include "app/public_data.h"

#include <span>

namespace orvane {

std::string IconFilePath(const std::string& temp_folder) {
  return temp_folder + std::string(kIconFileName);
}

bool ResourceFileWriter::SaveResourceToFile(int id, ResourceType type, const std::string& path) {
  if (path.empty()) {
    return false;
  }
  const std::optional<std::vector<std::uint8_t>> bytes = resources_(type, id);
  if (!bytes || bytes->empty()) {
    return false;
  }
  std::unique_ptr<OutputFile> file = files_.CreateAlways(path, false);
  if (!file) {
    return false;
  }
  const std::span<const char> data(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  const bool written = file->Write(data);
  const bool closed = file->Close();
  file.reset();
  if (!written || !closed) {
    files_.Remove(path);
    return false;
  }
  return true;
}

}  // namespace orvane
