#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace orvane {

// The kinds of resource the program carries. Each kind numbers its resources on its own
// (see base/resource_ids.h).
enum class ResourceType {
  Png,     // custom type "PNG": a PNG file
  Icon,    // custom type "ICON": a complete icon file (not the program's icon resource)
  Bitmap,  // BITMAP: a device-independent bitmap
  Update,  // custom type "UPDATE": the updater program
};

// The name the resource has in the Windows resource table ("PNG", "ICON", "UPDATE");
// empty for Bitmap, which is the system's own bitmap type.
constexpr std::string_view CustomTypeName(ResourceType type) {
  switch (type) {
    case ResourceType::Png:
      return "PNG";
    case ResourceType::Icon:
      return "ICON";
    case ResourceType::Update:
      return "UPDATE";
    case ResourceType::Bitmap:
      break;
  }
  return {};
}

// A copy of the resource's bytes, or nothing when the program carries no such resource.
// Png, Icon and Update give the file exactly as it was packed. Bitmap gives the packed
// device-independent bitmap that the Windows resource holds: the BITMAPINFOHEADER, any
// colour table and the pixel rows, without the 14-byte file header of a .bmp file; both
// platforms hand out this same form.
std::optional<std::vector<std::uint8_t>> LoadResourceBytes(ResourceType type, int id);

}  // namespace orvane
