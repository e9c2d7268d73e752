#include "base/picture_headers.h"

#include <array>
#include <cstring>

namespace orvane {
namespace {

// Pictures larger than this are not ours; the limit also keeps every size computation
// far away from overflow.
constexpr std::int64_t kMaxSide = 1 << 15;

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

std::uint16_t Le16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

std::uint32_t Be32(std::span<const std::uint8_t> b, std::size_t at) {
  return (static_cast<std::uint32_t>(b[at]) << 24) | (static_cast<std::uint32_t>(b[at + 1]) << 16) |
         (static_cast<std::uint32_t>(b[at + 2]) << 8) | static_cast<std::uint32_t>(b[at + 3]);
}

bool IsBmpFile(std::span<const std::uint8_t> b) {
  return b.size() >= kFileHeaderSize && b[0] == 'B' && b[1] == 'M';
}

// The info header alone: sizes, depth, colour table and where the pixels start. The
// pixel rows themselves are not checked against the data here (an icon image stores its
// mask after them, under a doubled height).
std::optional<BitmapInfo> ReadInfoHeader(std::span<const std::uint8_t> dib) {
  if (dib.size() < 40) {
    return std::nullopt;
  }
  const std::uint32_t header_size = Le32(dib, 0);
  if (header_size != 40 && header_size != 52 && header_size != 56 && header_size != 108 &&
      header_size != 124) {
    return std::nullopt;
  }
  if (dib.size() < header_size) {
    return std::nullopt;
  }
  const auto width = static_cast<std::int32_t>(Le32(dib, 4));
  const auto height = static_cast<std::int32_t>(Le32(dib, 8));
  const std::uint16_t planes = Le16(dib, 12);
  const std::uint16_t bpp = Le16(dib, 14);
  const std::uint32_t compression = Le32(dib, 16);
  const std::uint32_t clr_used = Le32(dib, 32);
  if (planes != 1 || width <= 0 || width > kMaxSide || height == 0 || height < -kMaxSide ||
      height > kMaxSide) {
    return std::nullopt;
  }
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) {
    return std::nullopt;
  }
  if (compression != kBiRgb && !(compression == kBiBitfields && (bpp == 16 || bpp == 32))) {
    return std::nullopt;
  }
  BitmapInfo info;
  info.width = width;
  info.height = height < 0 ? -height : height;
  info.top_down = height < 0;
  info.bits_per_pixel = bpp;
  info.compression = compression;
  if (bpp <= 8) {
    const std::uint32_t full = 1u << bpp;
    if (clr_used > full) {
      return std::nullopt;
    }
    info.colours_used = clr_used == 0 ? full : clr_used;
  } else {
    // A table is optional here; a sane one is never longer than a palette.
    if (clr_used > 256) {
      return std::nullopt;
    }
    info.colours_used = clr_used;
  }
  // A bare 40-byte header is followed by the three colour masks of a bit-field picture.
  const std::size_t masks = (compression == kBiBitfields && header_size == 40) ? 12 : 0;
  info.colour_table_offset = header_size + masks;
  info.pixel_offset = info.colour_table_offset + std::size_t{info.colours_used} * 4;
  info.stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
  if (dib.size() < info.pixel_offset) {
    return std::nullopt;
  }
  return info;
}

std::optional<BitmapInfo> ParseDib(std::span<const std::uint8_t> dib) {
  auto info = ReadInfoHeader(dib);
  if (!info) {
    return std::nullopt;
  }
  const std::size_t rows = info->stride * static_cast<std::size_t>(info->height);
  if (dib.size() - info->pixel_offset < rows) {
    return std::nullopt;
  }
  return info;
}

}  // namespace

std::optional<std::span<const std::uint8_t>> DibOfBmpFile(std::span<const std::uint8_t> bytes) {
  if (!IsBmpFile(bytes)) {
    return std::nullopt;
  }
  const std::span<const std::uint8_t> dib = bytes.subspan(kFileHeaderSize);
  const auto info = ReadInfoHeader(dib);
  // Only a file whose pixels follow its header and colour table directly is a packed DIB
  // with a file header in front; any other layout would be cut wrongly.
  if (!info || Le32(bytes, 10) != kFileHeaderSize + info->pixel_offset) {
    return std::nullopt;
  }
  return dib;
}

std::optional<BitmapInfo> ParseBitmapInfo(std::span<const std::uint8_t> bytes) {
  if (IsBmpFile(bytes)) {
    const auto dib = DibOfBmpFile(bytes);
    if (!dib) {
      return std::nullopt;
    }
    return ParseDib(*dib);
  }
  return ParseDib(bytes);
}

std::optional<DecodedBitmap> DecodeBitmap(std::span<const std::uint8_t> bytes) {
  std::span<const std::uint8_t> dib = bytes;
  if (IsBmpFile(bytes)) {
    const auto inner = DibOfBmpFile(bytes);
    if (!inner) {
      return std::nullopt;
    }
    dib = *inner;
  }
  const auto info = ParseDib(dib);
  if (!info || info->compression != kBiRgb ||
      (info->bits_per_pixel != 8 && info->bits_per_pixel != 24 && info->bits_per_pixel != 32)) {
    return std::nullopt;
  }
  std::vector<std::uint32_t> palette;
  if (info->bits_per_pixel == 8) {
    for (std::uint32_t i = 0; i < info->colours_used; ++i) {
      const std::size_t at = info->colour_table_offset + std::size_t{i} * 4;
      palette.push_back(0xFF000000u | (std::uint32_t{dib[at + 2]} << 16) |
                        (std::uint32_t{dib[at + 1]} << 8) | dib[at]);
    }
  }
  DecodedBitmap out;
  out.width = info->width;
  out.height = info->height;
  out.pixels.resize(static_cast<std::size_t>(info->width) * static_cast<std::size_t>(info->height));
  for (int y = 0; y < info->height; ++y) {
    const int stored_row = info->top_down ? y : info->height - 1 - y;
    const std::size_t row =
        info->pixel_offset + static_cast<std::size_t>(stored_row) * info->stride;
    for (int x = 0; x < info->width; ++x) {
      std::uint32_t argb = 0;
      switch (info->bits_per_pixel) {
        case 8: {
          const std::uint8_t index = dib[row + static_cast<std::size_t>(x)];
          // An index past the table shows black, as the system draws it.
          argb = index < palette.size() ? palette[index] : 0xFF000000u;
          break;
        }
        case 24: {
          const std::size_t at = row + static_cast<std::size_t>(x) * 3;
          argb = 0xFF000000u | (std::uint32_t{dib[at + 2]} << 16) |
                 (std::uint32_t{dib[at + 1]} << 8) | dib[at];
          break;
        }
        default: {
          const std::size_t at = row + static_cast<std::size_t>(x) * 4;
          argb = (std::uint32_t{dib[at + 3]} << 24) | (std::uint32_t{dib[at + 2]} << 16) |
                 (std::uint32_t{dib[at + 1]} << 8) | dib[at];
          break;
        }
      }
      out.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(info->width) +
                 static_cast<std::size_t>(x)] = argb;
    }
  }
  return out;
}

std::optional<PngInfo> ParsePngHeader(std::span<const std::uint8_t> bytes) {
  static constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P',  'N',  'G',
                                                             0x0D, 0x0A, 0x1A, 0x0A};
  // Signature, then the first chunk, which must be a 13-byte IHDR.
  if (bytes.size() < 8 + 8 + 13 ||
      std::memcmp(bytes.data(), kSignature.data(), kSignature.size()) != 0 ||
      Be32(bytes, 8) != 13 || std::memcmp(bytes.data() + 12, "IHDR", 4) != 0) {
    return std::nullopt;
  }
  const std::uint32_t width = Be32(bytes, 16);
  const std::uint32_t height = Be32(bytes, 20);
  if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) {
    return std::nullopt;
  }
  PngInfo info;
  info.width = static_cast<int>(width);
  info.height = static_cast<int>(height);
  info.bit_depth = bytes[24];
  info.colour_type = bytes[25];
  return info;
}

std::optional<std::vector<IconImageInfo>> ParseIconDirectory(std::span<const std::uint8_t> bytes) {
  constexpr std::size_t kDirSize = 6;
  constexpr std::size_t kEntrySize = 16;
  if (bytes.size() < kDirSize || Le16(bytes, 0) != 0 || Le16(bytes, 2) != 1) {
    return std::nullopt;
  }
  const std::size_t count = Le16(bytes, 4);
  if (count == 0 || bytes.size() < kDirSize + count * kEntrySize) {
    return std::nullopt;
  }
  std::vector<IconImageInfo> images;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t e = kDirSize + i * kEntrySize;
    IconImageInfo image;
    image.width = bytes[e] == 0 ? 256 : bytes[e];
    image.height = bytes[e + 1] == 0 ? 256 : bytes[e + 1];
    image.size = Le32(bytes, e + 8);
    image.offset = Le32(bytes, e + 12);
    if (image.size == 0 || image.offset > bytes.size() ||
        image.size > bytes.size() - image.offset) {
      return std::nullopt;
    }
    const std::span<const std::uint8_t> data = bytes.subspan(image.offset, image.size);
    if (const auto png = ParsePngHeader(data)) {
      static constexpr std::array<int, 7> kChannels = {1, 0, 3, 1, 2, 0, 4};
      if (png->colour_type < 0 || png->colour_type >= static_cast<int>(kChannels.size()) ||
          kChannels[static_cast<std::size_t>(png->colour_type)] == 0) {
        return std::nullopt;
      }
      image.png = true;
      image.image_width = png->width;
      image.image_height = png->height;
      image.bits_per_pixel = png->bit_depth * kChannels[static_cast<std::size_t>(png->colour_type)];
    } else {
      const auto dib = ReadInfoHeader(data);
      // The header's height covers the picture and its mask.
      if (!dib || dib->top_down || dib->height % 2 != 0) {
        return std::nullopt;
      }
      const int height = dib->height / 2;
      const std::size_t mask_stride = ((static_cast<std::size_t>(dib->width) + 31) / 32) * 4;
      const std::size_t needed = dib->pixel_offset +
                                 dib->stride * static_cast<std::size_t>(height) +
                                 mask_stride * static_cast<std::size_t>(height);
      if (data.size() < needed) {
        return std::nullopt;
      }
      image.image_width = dib->width;
      image.image_height = height;
      image.bits_per_pixel = dib->bits_per_pixel;
    }
    images.push_back(image);
  }
  return images;
}

}  // namespace orvane
