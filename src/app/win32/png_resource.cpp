#include "app/win32/png_resource.h"

#include <cstring>
#include <optional>
#include <vector>

namespace orvane::win32 {

UINT PngImage::Width() const {
  UINT width = 0;
  if (image_) {
    Gdiplus::DllExports::GdipGetImageWidth(image_.get(), &width);
  }
  return width;
}

UINT PngImage::Height() const {
  UINT height = 0;
  if (image_) {
    Gdiplus::DllExports::GdipGetImageHeight(image_.get(), &height);
  }
  return height;
}

PngImage LoadPngResource(int id, ResourceType type) {
  PngImage png;
  const std::optional<std::vector<std::uint8_t>> bytes = LoadResourceBytes(type, id);
  if (!bytes || bytes->empty()) {
    return png;
  }
  png.block_ = UniqueGlobal(::GlobalAlloc(GMEM_FIXED, bytes->size()));
  if (!png.block_) {
    return png;
  }
  // A fixed block's handle is its address.
  std::memcpy(reinterpret_cast<void*>(png.block_.get()), bytes->data(), bytes->size());
  // The stream does not free the block: the image owns both, in that order.
  if (FAILED(::CreateStreamOnHGlobal(png.block_.get(), FALSE, png.stream_.put()))) {
    return PngImage{};
  }
  Gdiplus::GpImage* image = nullptr;
  if (Gdiplus::DllExports::GdipLoadImageFromStream(png.stream_.get(), &image) != Gdiplus::Ok) {
    return PngImage{};
  }
  png.image_.reset(image);
  return png;
}

}  // namespace orvane::win32
