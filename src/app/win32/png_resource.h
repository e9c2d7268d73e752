#pragma once

#include "app/win32/gdiplus_flat.h"
#include "base/resources.h"
#include "base/win32/unique_handle.h"

#include <utility>

namespace orvane::win32 {

namespace close {
inline void GdiplusImage(Gdiplus::GpImage* image) {
  Gdiplus::DllExports::GdipDisposeImage(image);
}
}  // namespace close

// A picture decoded by GDI+ from a stream over a fixed block of global memory. GDI+ may
// read from the stream for as long as the image lives, so the image holds both: disposed
// first, then the stream released, then the block freed.
class PngImage {
 public:
  PngImage() = default;
  PngImage(PngImage&&) = default;
  // The held image goes before its stream and block, also when one is moved over it.
  PngImage& operator=(PngImage&& other) noexcept {
    if (this != &other) {
      image_.reset();
      stream_.reset();
      block_.reset();
      block_ = std::move(other.block_);
      stream_ = std::move(other.stream_);
      image_ = std::move(other.image_);
    }
    return *this;
  }
  ~PngImage() = default;

  Gdiplus::GpImage* get() const { return image_.get(); }
  explicit operator bool() const { return static_cast<bool>(image_); }
  UINT Width() const;
  UINT Height() const;

 private:
  friend PngImage LoadPngResource(int id, ResourceType type);

  UniqueGlobal block_;
  ComPtr<IStream> stream_;
  UniqueHandle<Gdiplus::GpImage*, close::GdiplusImage> image_;
};

// `LoadPngResource`: decodes the program's PNG resource with GDI+ (a session must be
// running). An empty image when the resource is missing or does not decode.
PngImage LoadPngResource(int id, ResourceType type);

}  // namespace orvane::win32
