#include <gio/gio.h>

#include <memory>
#include <string>

#include "base/picture_headers.h"
#include "base/resources.h"

namespace orvane {
namespace {

// Where resources/orvane.gresource.xml puts each kind inside the bundle linked into the
// program.
std::string BundlePath(ResourceType type, int id) {
  const std::string number = std::to_string(id);
  switch (type) {
    case ResourceType::Png:
      return "/orvane/png/" + number + ".png";
    case ResourceType::Icon:
      return "/orvane/icon/" + number + ".ico";
    case ResourceType::Bitmap:
      return "/orvane/bitmap/" + number + ".bmp";
    case ResourceType::Update:
      return "/orvane/update/" + number;
  }
  return {};
}

struct BytesUnref {
  void operator()(GBytes* bytes) const noexcept { g_bytes_unref(bytes); }
};
struct ErrorFree {
  void operator()(GError* error) const noexcept { g_error_free(error); }
};

}  // namespace

std::optional<std::vector<std::uint8_t>> LoadResourceBytes(ResourceType type, int id) {
  if (id < 1 || id > 0xFFFF) {
    return std::nullopt;
  }
  const std::string path = BundlePath(type, id);
  GError* raw_error = nullptr;
  const std::unique_ptr<GBytes, BytesUnref> bytes(
      g_resources_lookup_data(path.c_str(), G_RESOURCE_LOOKUP_FLAGS_NONE, &raw_error));
  const std::unique_ptr<GError, ErrorFree> error(raw_error);
  if (!bytes) {
    return std::nullopt;
  }
  gsize size = 0;
  const auto* data = static_cast<const std::uint8_t*>(g_bytes_get_data(bytes.get(), &size));
  if (data == nullptr || size == 0) {
    return std::nullopt;
  }
  const std::span<const std::uint8_t> file(data, size);
  if (type == ResourceType::Bitmap) {
    // The bundle holds the .bmp files as they are; hand out the packed DIB, as the
    // Windows resource does.
    const auto dib = DibOfBmpFile(file);
    if (!dib) {
      return std::nullopt;
    }
    return std::vector<std::uint8_t>(dib->begin(), dib->end());
  }
  return std::vector<std::uint8_t>(file.begin(), file.end());
}

}  // namespace orvane
