#include "widgets/gtk/cairo_picture.h"

#include <cstring>

#include "base/picture_headers.h"
#include "base/resources.h"

namespace orvane::gtk {

CairoPicture::CairoPicture(UniqueCairoSurface image)
    : image_(std::move(image)),
      width_(image_ ? cairo_image_surface_get_width(image_.get()) : 0),
      height_(image_ ? cairo_image_surface_get_height(image_.get()) : 0) {}

double CairoPicture::WidthHimetric() const {
  return PictureHimetricFromPixels(width_);
}

double CairoPicture::HeightHimetric() const {
  return PictureHimetricFromPixels(height_);
}

cairo_surface_t* ImageOf(const Picture& picture) {
  const auto* own = dynamic_cast<const CairoPicture*>(&picture);
  return own ? own->Image() : nullptr;
}

UniqueCairoSurface NewBlackImage(int width, int height) {
  if (width <= 0 || height <= 0) {
    return nullptr;
  }
  UniqueCairoSurface image(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) {
    return nullptr;
  }
  UniqueCairo cr(cairo_create(image.get()));
  cairo_set_source_rgb(cr.get(), 0, 0, 0);
  cairo_paint(cr.get());
  return image;
}

void CopyPictureOnto(cairo_t* cr, const Picture& picture, const Rect& source, Point dest) {
  const auto* own = dynamic_cast<const CairoPicture*>(&picture);
  if (own == nullptr || own->Image() == nullptr) {
    return;
  }
  const Rect inside = source.Intersect(Rect{0, 0, own->Width(), own->Height()});
  if (inside.Empty()) {
    return;
  }
  CairoSaved saved(cr);
  const int x = dest.x + (inside.x - source.x);
  const int y = dest.y + (inside.y - source.y);
  cairo_rectangle(cr, x, y, inside.width, inside.height);
  cairo_clip(cr);
  cairo_set_source_surface(cr, own->Image(), dest.x - source.x, dest.y - source.y);
  cairo_paint(cr);
}

PicturePtr PictureFromBitmapBytes(std::span<const std::uint8_t> bytes) {
  const auto decoded = DecodeBitmap(bytes);
  if (!decoded || decoded->width <= 0 || decoded->height <= 0) {
    return nullptr;
  }
  UniqueCairoSurface image = NewBlackImage(decoded->width, decoded->height);
  if (!image) {
    return nullptr;
  }
  cairo_surface_flush(image.get());
  unsigned char* data = cairo_image_surface_get_data(image.get());
  const int stride = cairo_image_surface_get_stride(image.get());
  for (int y = 0; y < decoded->height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < decoded->width; ++x) {
      // Bitmaps are drawn opaque, as the platform's block transfers draw them; the
      // alpha bytes of a 32-bit bitmap are not a mask.
      row[x] = decoded->At(x, y) | 0xFF000000u;
    }
  }
  cairo_surface_mark_dirty(image.get());
  return std::make_shared<CairoPicture>(std::move(image));
}

PicturePtr LoadBitmapPicture(int bitmap_id) {
  const auto bytes = LoadResourceBytes(ResourceType::Bitmap, bitmap_id);
  return bytes ? PictureFromBitmapBytes(*bytes) : nullptr;
}

namespace {

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(closure);
  out->insert(out->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

struct ReadCursor {
  std::span<const std::uint8_t> bytes;
  std::size_t offset = 0;
};

cairo_status_t ReadBytes(void* closure, unsigned char* data, unsigned int length) {
  auto* cursor = static_cast<ReadCursor*>(closure);
  if (cursor->bytes.size() - cursor->offset < length) {
    return CAIRO_STATUS_READ_ERROR;
  }
  std::memcpy(data, cursor->bytes.data() + cursor->offset, length);
  cursor->offset += length;
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::vector<std::uint8_t> PngPictureCodec::Encode(const Picture& picture) {
  std::vector<std::uint8_t> bytes;
  if (cairo_surface_t* image = ImageOf(picture)) {
    cairo_surface_write_to_png_stream(image, AppendBytes, &bytes);
  }
  return bytes;
}

PicturePtr PngPictureCodec::Decode(std::span<const std::uint8_t> bytes) {
  ReadCursor cursor{bytes};
  UniqueCairoSurface read(cairo_image_surface_create_from_png_stream(ReadBytes, &cursor));
  if (cairo_surface_status(read.get()) != CAIRO_STATUS_SUCCESS) {
    return nullptr;
  }
  // Whatever format the PNG came in, keep ARGB32 like every other picture.
  const int w = cairo_image_surface_get_width(read.get());
  const int h = cairo_image_surface_get_height(read.get());
  UniqueCairoSurface image = NewBlackImage(w, h);
  if (!image) {
    return nullptr;
  }
  UniqueCairo cr(cairo_create(image.get()));
  cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr.get(), read.get(), 0, 0);
  cairo_paint(cr.get());
  return std::make_shared<CairoPicture>(std::move(image));
}

}  // namespace orvane::gtk
