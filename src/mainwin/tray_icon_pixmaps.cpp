#include "mainwin/tray_icon_pixmaps.h"

#include <algorithm>

#include "base/picture_headers.h"

namespace orvane {
namespace {

constexpr int kSmallestSide = 16;
constexpr int kLargestSide = 64;
constexpr std::uint32_t kInfoHeaderSize = 40;

std::uint32_t Le32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

}  // namespace

std::vector<TrayIconPixmap> TrayIconPixmapsFromIconFile(std::span<const std::uint8_t> icon_file) {
  std::vector<TrayIconPixmap> pixmaps;
  const auto images = ParseIconDirectory(icon_file);
  if (!images) {
    return pixmaps;
  }
  for (const IconImageInfo& image : *images) {
    if (image.png || image.bits_per_pixel != 32 || image.image_width != image.image_height ||
        image.image_width < kSmallestSide || image.image_width > kLargestSide) {
      continue;
    }
    const auto data = icon_file.subspan(image.offset, image.size);
    // The directory reader has checked that header, pixels and mask lie inside the data.
    // A 32-bit picture has no colour table unless its header says so.
    const std::uint32_t header_size = Le32(data, 0);
    if (header_size < kInfoHeaderSize || Le32(data, 16) != 0) {
      continue;  // only uncompressed pixels
    }
    const std::size_t colours = Le32(data, 32);
    const std::size_t pixel_offset = header_size + colours * 4;
    const auto side = static_cast<std::size_t>(image.image_width);
    const std::size_t stride = side * 4;
    if (pixel_offset + stride * side > data.size()) {
      continue;
    }
    if (std::any_of(pixmaps.begin(), pixmaps.end(),
                    [&](const TrayIconPixmap& p) { return p.width == image.image_width; })) {
      continue;
    }
    TrayIconPixmap pixmap;
    pixmap.width = image.image_width;
    pixmap.height = image.image_height;
    pixmap.argb.reserve(stride * side);
    // Rows are stored from the bottom, pixels as B, G, R, A.
    for (std::size_t y = 0; y < side; ++y) {
      const std::size_t row = pixel_offset + (side - 1 - y) * stride;
      for (std::size_t x = 0; x < side; ++x) {
        const std::size_t p = row + x * 4;
        pixmap.argb.push_back(data[p + 3]);
        pixmap.argb.push_back(data[p + 2]);
        pixmap.argb.push_back(data[p + 1]);
        pixmap.argb.push_back(data[p]);
      }
    }
    pixmaps.push_back(std::move(pixmap));
  }
  std::sort(pixmaps.begin(), pixmaps.end(),
            [](const TrayIconPixmap& a, const TrayIconPixmap& b) { return a.width < b.width; });
  return pixmaps;
}

}  // namespace orvane
