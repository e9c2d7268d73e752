#include "base/gtk/cairo_surface.h"

#include <cstdint>
#include <cstring>

#include "base/gtk/cairo_font.h"
#include "base/gtk/cairo_text.h"

namespace orvane::gtk {
namespace {

cairo_surface_t* SourceImage(const Surface& source) {
  const auto* cairo = dynamic_cast<const CairoSurface*>(&source);
  return cairo ? cairo->Image() : nullptr;
}

std::uint32_t OpaquePixel(Colour c) {
  return 0xFF000000u | (static_cast<std::uint32_t>(RedOf(c)) << 16) |
         (static_cast<std::uint32_t>(GreenOf(c)) << 8) | static_cast<std::uint32_t>(BlueOf(c));
}

// A copy of `area` of an image with every opaque pixel of colour `key` made transparent.
UniqueCairoSurface KeyedCopy(cairo_surface_t* image, const Rect& area, Colour key) {
  UniqueCairoSurface copy(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, area.width, area.height));
  if (cairo_surface_status(copy.get()) != CAIRO_STATUS_SUCCESS)
    return nullptr;
  {
    UniqueCairo cr(cairo_create(copy.get()));
    cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr.get(), image, -area.x, -area.y);
    cairo_paint(cr.get());
  }
  cairo_surface_flush(copy.get());
  unsigned char* data = cairo_image_surface_get_data(copy.get());
  const int stride = cairo_image_surface_get_stride(copy.get());
  const std::uint32_t match = OpaquePixel(key);
  for (int y = 0; y < area.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < area.width; ++x) {
      if (row[x] == match)
        row[x] = 0;
    }
  }
  cairo_surface_mark_dirty(copy.get());
  return copy;
}

}  // namespace

UniqueCairoSurface NewOpaqueImage(int width, int height) {
  if (width <= 0 || height <= 0)
    return nullptr;
  UniqueCairoSurface image(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS)
    return nullptr;
  UniqueCairo cr(cairo_create(image.get()));
  cairo_set_source_rgb(cr.get(), 0, 0, 0);
  cairo_paint(cr.get());
  return image;
}

CairoSurface::CairoSurface(UniqueCairoSurface image, std::optional<Colour> keyed)
    : image_(std::move(image)),
      cr_(cairo_create(image_.get())),
      width_(cairo_image_surface_get_width(image_.get())),
      height_(cairo_image_surface_get_height(image_.get())),
      keyed_(keyed) {}

CairoSurface::CairoSurface(cairo_t* target, int width, int height)
    : cr_(cairo_reference(target)), width_(width), height_(height) {}

CairoSurface::~CairoSurface() = default;

bool CairoSurface::Transfer(const Rect& dest, cairo_surface_t* source, Point from,
                            cairo_operator_t op) {
  if (!source || dest.Empty())
    return false;
  // Only the part of the source rectangle that lies on the source is transferred.
  const Rect bounds{0, 0, cairo_image_surface_get_width(source),
                    cairo_image_surface_get_height(source)};
  const Rect wanted{from.x, from.y, dest.width, dest.height};
  const Rect taken = wanted.Intersect(bounds);
  if (taken.Empty())
    return false;
  const int dx = dest.x + (taken.x - from.x);
  const int dy = dest.y + (taken.y - from.y);

  CairoSaved saved(cr_.get());
  cairo_set_operator(cr_.get(), op);
  cairo_set_source_surface(cr_.get(), source, dx - taken.x, dy - taken.y);
  cairo_pattern_set_filter(cairo_get_source(cr_.get()), CAIRO_FILTER_NEAREST);
  cairo_rectangle(cr_.get(), dx, dy, taken.width, taken.height);
  cairo_fill(cr_.get());
  return cairo_status(cr_.get()) == CAIRO_STATUS_SUCCESS;
}

bool CairoSurface::Copy(const Rect& dest, const Surface& source, Point from) {
  return Transfer(dest, SourceImage(source), from, CAIRO_OPERATOR_SOURCE);
}

bool CairoSurface::Stretch(const Rect& dest, const Surface& source, const Rect& from,
                           bool halftone) {
  cairo_surface_t* image = SourceImage(source);
  if (!image || dest.Empty() || from.Empty())
    return false;
  // Sample only inside the source rectangle, so that a slice of a skin never picks up
  // the colours of its neighbours at its edges.
  UniqueCairoSurface slice(
      cairo_surface_create_for_rectangle(image, from.x, from.y, from.width, from.height));
  UniqueCairoPattern pattern(cairo_pattern_create_for_surface(slice.get()));
  cairo_matrix_t matrix;
  cairo_matrix_init_scale(&matrix, static_cast<double>(from.width) / dest.width,
                          static_cast<double>(from.height) / dest.height);
  cairo_matrix_translate(&matrix, -dest.x, -dest.y);
  cairo_pattern_set_matrix(pattern.get(), &matrix);
  cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_PAD);
  cairo_pattern_set_filter(pattern.get(), halftone ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);

  CairoSaved saved(cr_.get());
  cairo_set_operator(cr_.get(), CAIRO_OPERATOR_SOURCE);
  cairo_set_source(cr_.get(), pattern.get());
  cairo_rectangle(cr_.get(), dest.x, dest.y, dest.width, dest.height);
  cairo_fill(cr_.get());
  return cairo_status(cr_.get()) == CAIRO_STATUS_SUCCESS;
}

bool CairoSurface::CopyTransparent(const Rect& dest, const Surface& source, Point from,
                                   Colour key) {
  const auto* cairo = dynamic_cast<const CairoSurface*>(&source);
  if (!cairo || !cairo->Image() || dest.Empty())
    return false;
  if (cairo->Keyed() == key) {
    return Transfer(dest, cairo->Image(), from, CAIRO_OPERATOR_OVER);
  }
  const Rect bounds{0, 0, cairo->Width(), cairo->Height()};
  const Rect taken = Rect{from.x, from.y, dest.width, dest.height}.Intersect(bounds);
  if (taken.Empty())
    return false;
  UniqueCairoSurface keyed = KeyedCopy(cairo->Image(), taken, key);
  if (!keyed)
    return false;
  const Rect to{dest.x + (taken.x - from.x), dest.y + (taken.y - from.y), taken.width,
                taken.height};
  return Transfer(to, keyed.get(), Point{0, 0}, CAIRO_OPERATOR_OVER);
}

bool CairoSurface::FillRect(const Rect& area, Colour colour) {
  if (area.Empty())
    return false;
  CairoSaved saved(cr_.get());
  cairo_set_operator(cr_.get(), CAIRO_OPERATOR_SOURCE);
  cairo_set_source_rgb(cr_.get(), RedOf(colour) / 255.0, GreenOf(colour) / 255.0,
                       BlueOf(colour) / 255.0);
  cairo_rectangle(cr_.get(), area.x, area.y, area.width, area.height);
  cairo_fill(cr_.get());
  return cairo_status(cr_.get()) == CAIRO_STATUS_SUCCESS;
}

void CairoSurface::SetFont(const Font& font) {
  const auto* cairo = dynamic_cast<const CairoFont*>(&font);
  if (!cairo)
    return;
  font_.reset(pango_font_description_copy(cairo->Description()));
}

void CairoSurface::SetTextColour(Colour colour) {
  text_colour_ = colour;
}

void CairoSurface::SetTextBackground(std::optional<Colour> opaque) {
  text_background_ = opaque;
}

const PangoFontDescription* CairoSurface::CurrentFont() {
  if (!font_)
    font_ = DefaultGuiFontDescription();
  return font_.get();
}

Size CairoSurface::MeasureText(std::string_view text) {
  return MeasureTextLine(cr_.get(), CurrentFont(), text);
}

int CairoSurface::DrawText(std::string_view text, const Rect& box, unsigned format) {
  const TextStyle style{CurrentFont(), text_colour_, text_background_};
  return DrawTextInBox(cr_.get(), style, text, box, format);
}

Colour CairoSurface::GetPixel(Point p) const {
  if (!image_ || p.x < 0 || p.y < 0 || p.x >= width_ || p.y >= height_)
    return kInvalidColour;
  cairo_surface_flush(image_.get());
  const unsigned char* data = cairo_image_surface_get_data(image_.get());
  const int stride = cairo_image_surface_get_stride(image_.get());
  std::uint32_t pixel;
  std::memcpy(&pixel, data + static_cast<size_t>(p.y) * stride + static_cast<size_t>(p.x) * 4,
              sizeof(pixel));
  const unsigned alpha = pixel >> 24;
  if (alpha == 0)
    return keyed_ ? *keyed_ : kBlack;
  // Stored premultiplied by alpha.
  auto channel = [&](int shift) {
    const unsigned v = (pixel >> shift) & 0xFF;
    return static_cast<int>((v * 255 + alpha / 2) / alpha);
  };
  return Rgb(channel(16), channel(8), channel(0));
}

}  // namespace orvane::gtk
