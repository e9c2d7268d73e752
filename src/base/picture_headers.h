#pragma once
// Reading the headers (and, for bitmaps, the pixels) of the picture formats the program
// carries: BMP files and packed DIBs, icon files, PNG files. Every reader checks the
// lengths it is given and answers nothing for data it cannot trust.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace orvane {

struct BitmapInfo {
  int width = 0;
  int height = 0;  // always positive; see top_down
  int bits_per_pixel = 0;
  bool top_down = false;           // rows stored from the top (negative height in the header)
  std::uint32_t compression = 0;   // 0: uncompressed (BI_RGB)
  std::uint32_t colours_used = 0;  // entries in the colour table
  // Offsets inside the packed DIB (after any file header).
  std::size_t colour_table_offset = 0;
  std::size_t pixel_offset = 0;
  std::size_t stride = 0;  // bytes per stored row, padded to 4
};

// Reads a BMP file (starting with "BM") or a packed DIB (starting with its info header).
// Accepts the info headers of 40, 52, 56, 108 and 124 bytes with 1, 4, 8, 16, 24 or 32
// bits per pixel, uncompressed or (16 and 32 bits) with colour masks; run-length encoded
// pictures are refused. The pixel rows must lie wholly inside the data.
std::optional<BitmapInfo> ParseBitmapInfo(std::span<const std::uint8_t> bytes);

// The packed DIB inside a BMP file: the bytes after the 14-byte file header. Nothing when
// the data is not a BMP file or its pixels do not follow the header and colour table.
std::optional<std::span<const std::uint8_t>> DibOfBmpFile(std::span<const std::uint8_t> bytes);

struct DecodedBitmap {
  int width = 0;
  int height = 0;
  // Rows from the top, each pixel 0xAARRGGBB (straight alpha). 24-bit and palette
  // pictures are opaque; a 32-bit picture keeps the alpha bytes it stores.
  std::vector<std::uint32_t> pixels;

  std::uint32_t At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
};

// The pixels of an uncompressed 8-, 24- or 32-bit bitmap (BMP file or packed DIB).
std::optional<DecodedBitmap> DecodeBitmap(std::span<const std::uint8_t> bytes);

struct IconImageInfo {
  int width = 0;  // from the directory entry (0 there means 256)
  int height = 0;
  int bits_per_pixel = 0;  // of the stored image
  int image_width = 0;     // of the stored image itself
  int image_height = 0;    // (a DIB icon's header counts its mask too; this does not)
  bool png = false;        // stored as a PNG file rather than a DIB
  std::uint32_t size = 0;
  std::uint32_t offset = 0;
};

// The images of an icon file, in directory order. Nothing unless the file is an icon
// file whose every image lies inside it and starts with a readable header.
std::optional<std::vector<IconImageInfo>> ParseIconDirectory(std::span<const std::uint8_t> bytes);

struct PngInfo {
  int width = 0;
  int height = 0;
  int bit_depth = 0;
  int colour_type = 0;  // 6: truecolour with alpha
};

// The IHDR of a PNG file.
std::optional<PngInfo> ParsePngHeader(std::span<const std::uint8_t> bytes);

}  // namespace orvane
