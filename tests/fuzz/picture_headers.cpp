// The picture header readers (BMP files, packed DIBs, icon files, PNG headers) on any
// bytes: every answer they give must describe data that lies inside the input.
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/picture_headers.h"
#include "fuzz/fuzz_check.h"

namespace {

void CheckBitmap(std::span<const std::uint8_t> bytes) {
  const auto info = orvane::ParseBitmapInfo(bytes);
  const auto dib = orvane::DibOfBmpFile(bytes);
  if (dib) {
    FUZZ_CHECK(dib->data() == bytes.data() + 14 && dib->size() == bytes.size() - 14);
  }
  if (info) {
    const std::span<const std::uint8_t> packed = dib ? *dib : bytes;
    FUZZ_CHECK(info->width > 0 && info->height > 0);
    FUZZ_CHECK(info->colour_table_offset <= info->pixel_offset);
    FUZZ_CHECK(info->stride % 4 == 0 &&
               info->stride * 8 >= static_cast<std::size_t>(info->width) *
                                       static_cast<std::size_t>(info->bits_per_pixel));
    FUZZ_CHECK(info->pixel_offset <= packed.size());
    FUZZ_CHECK(info->stride * static_cast<std::size_t>(info->height) <=
               packed.size() - info->pixel_offset);
  }
  const auto decoded = orvane::DecodeBitmap(bytes);
  if (decoded) {
    FUZZ_CHECK(info.has_value());
    FUZZ_CHECK(decoded->width == info->width && decoded->height == info->height);
    FUZZ_CHECK(decoded->pixels.size() == static_cast<std::size_t>(decoded->width) *
                                             static_cast<std::size_t>(decoded->height));
  }
}

void CheckIcon(std::span<const std::uint8_t> bytes) {
  const auto images = orvane::ParseIconDirectory(bytes);
  if (!images) {
    return;
  }
  FUZZ_CHECK(!images->empty());
  for (const orvane::IconImageInfo& image : *images) {
    FUZZ_CHECK(image.size > 0 && image.offset <= bytes.size() &&
               image.size <= bytes.size() - image.offset);
    FUZZ_CHECK(image.width >= 1 && image.width <= 256 && image.height >= 1 && image.height <= 256);
    FUZZ_CHECK(image.image_width > 0 && image.image_height > 0);
    const auto png = orvane::ParsePngHeader(bytes.subspan(image.offset, image.size));
    FUZZ_CHECK(image.png == png.has_value());
  }
}

void CheckPng(std::span<const std::uint8_t> bytes) {
  if (const auto png = orvane::ParsePngHeader(bytes)) {
    FUZZ_CHECK(bytes.size() >= 29);
    FUZZ_CHECK(png->width > 0 && png->height > 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  CheckBitmap(bytes);
  CheckIcon(bytes);
  CheckPng(bytes);
  return 0;
}
