#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "base/geometry.h"
#include "base/gtk/cairo_handles.h"
#include "widgets/picture.h"

namespace orvane::gtk {

// A picture held as an ARGB32 cairo image surface.
class CairoPicture final : public Picture {
 public:
  explicit CairoPicture(UniqueCairoSurface image);
  double WidthHimetric() const override;
  double HeightHimetric() const override;
  int Width() const { return width_; }
  int Height() const { return height_; }
  cairo_surface_t* Image() const { return image_.get(); }

 private:
  UniqueCairoSurface image_;
  int width_;
  int height_;
};

// The image of a picture made on this platform; nullptr for any other picture.
cairo_surface_t* ImageOf(const Picture& picture);

// A new width x height ARGB32 image, every pixel opaque black (nullptr when cairo fails).
UniqueCairoSurface NewBlackImage(int width, int height);

// Copies `source` of `picture` one to one to `dest` on `cr`; parts outside the picture
// leave the target as it is.
void CopyPictureOnto(cairo_t* cr, const Picture& picture, const Rect& source, Point dest);

// A picture from a BMP file or packed DIB (8, 24 or 32 bits); nullptr when unreadable.
PicturePtr PictureFromBitmapBytes(std::span<const std::uint8_t> bytes);
// One of the program's BITMAP resources; nullptr when it is missing.
PicturePtr LoadBitmapPicture(int bitmap_id);

// Pictures kept with a form's stored properties as PNG bytes.
class PngPictureCodec final : public PictureCodec {
 public:
  std::vector<std::uint8_t> Encode(const Picture& picture) override;
  PicturePtr Decode(std::span<const std::uint8_t> bytes) override;
};

}  // namespace orvane::gtk
