#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/output_file.h"
#include "app/update_check.h"
#include "base/resource_ids.h"
#include "base/resources.h"

namespace orvane {

// The window icon file the login screen writes and the main window loads.
inline constexpr std::string_view kIconFileName = "mirab.ico";
inline constexpr int kIconFileResourceId = ORVANE_ICONFILE_MIRAB;

// The path of the icon file in the client's temporary folder (`GetTempFolder()` followed
// directly by the name).
std::string IconFilePath(const std::string& temp_folder);

// Where `SaveResourceToFile` reads the program's resources from: LoadResourceBytes in the
// programs, a table in tests.
using ResourceBytesSource =
    std::function<std::optional<std::vector<std::uint8_t>>(ResourceType type, int id)>;

// `SaveResourceToFile`: copies a resource of the program into a file, creating or
// replacing it. A resource the program does not carry creates no file; a file that could
// not be written whole is deleted again, so that nobody takes a cut-off program or icon
// for the real one.
class ResourceFileWriter final : public ResourceWriter {
 public:
  ResourceFileWriter(ResourceBytesSource resources, OutputFiles& files)
      : resources_(std::move(resources)), files_(files) {}

  bool SaveResourceToFile(int id, ResourceType type, const std::string& path) override;

 private:
  ResourceBytesSource resources_;
  OutputFiles& files_;
};

}  // namespace orvane
