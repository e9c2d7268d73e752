#include "base/gtk/cairo_surface.h"

#include <cstdint>
#include <cstring>
#include <utility>
#include <algorithm>

#include "base/gtk/cairo_font.h"

namespace orvane::gtk {
namespace {

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

// Scales `from` of `source` onto `dest` of `cr`, replacing what was there.
bool StretchOnto(cairo_t* cr, const Rect& dest, cairo_surface_t* source, const Rect& from,
                 bool halftone) {
  // Sample only inside the source rectangle, so that a slice of a skin never picks up
  // the colours of its neighbours at its edges.
  UniqueCairoSurface slice(
      cairo_surface_create_for_rectangle(source, from.x, from.y, from.width, from.height));
  UniqueCairoPattern pattern(cairo_pattern_create_for_surface(slice.get()));
  cairo_matrix_t matrix;
  cairo_matrix_init_scale(&matrix, static_cast<double>(from.width) / dest.width,
                          static_cast<double>(from.height) / dest.height);
  cairo_matrix_translate(&matrix, -dest.x, -dest.y);
  cairo_pattern_set_matrix(pattern.get(), &matrix);
  cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_PAD);
  cairo_pattern_set_filter(pattern.get(), halftone ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);

  CairoSaved saved(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source(cr, pattern.get());
  cairo_rectangle(cr, dest.x, dest.y, dest.width, dest.height);
  cairo_fill(cr);
  return cairo_status(cr) == CAIRO_STATUS_SUCCESS;
}

// Whether `area` of an image holds an opaque pixel of colour `key`.
bool HoldsOpaque(cairo_surface_t* image, const Rect& area, Colour key) {
  cairo_surface_flush(image);
  const unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  const std::uint32_t match = OpaquePixel(key);
  for (int y = area.y; y < area.Bottom(); ++y) {
    const auto* row =
        reinterpret_cast<const std::uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = area.x; x < area.Right(); ++x) {
      if (row[x] == match)
        return true;
    }
  }
  return false;
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
      keyed_(keyed),
      held_{false, keyed} {}

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
  const auto* cairo = dynamic_cast<const CairoSurface*>(&source);
  Changed();
  Took(cairo ? cairo->held_ : Held{});
  return Transfer(dest, cairo ? cairo->Image() : nullptr, from, CAIRO_OPERATOR_SOURCE);
}

bool CairoSurface::Stretch(const Rect& dest, const Surface& source, const Rect& from,
                           bool halftone) {
  const auto* cairo = dynamic_cast<const CairoSurface*>(&source);
  cairo_surface_t* image = cairo ? cairo->Image() : nullptr;
  if (!image || dest.Empty() || from.Empty())
    return false;
  Changed();
  // Without averaging, every pixel is one of the source's.
  if (!halftone) {
    Took(cairo->held_);
    return StretchOnto(cr_.get(), dest, image, from, halftone);
  }
  // An image of our own has the plain device space the source's kept parts were scaled
  // in, so a kept part is exactly what scaling here would give.
  ScaledPartOf* part = image_ && cairo != this ? cairo->ScaledPart(dest, from, halftone) : nullptr;
  if (!part) {
    Took(Held{});
    return StretchOnto(cr_.get(), dest, image, from, halftone);
  }
  // Averaged pixels may take any colour: the part is looked at, once, for the colour
  // this picture is known to lack.
  const std::optional<Colour> wanted = held_.only_black ? cairo->held_.lacks : held_.lacks;
  if (wanted && part->looked_for != wanted) {
    part->looked_for = wanted;
    part->holds = HoldsOpaque(part->image.get(), dest, *wanted);
  }
  Took(Held{false, wanted && !part->holds ? wanted : std::nullopt});
  return Transfer(dest, part->image.get(), Point{dest.x, dest.y}, CAIRO_OPERATOR_SOURCE);
}

CairoSurface::ScaledPartOf* CairoSurface::ScaledPart(const Rect& dest, const Rect& from,
                                                     bool halftone) const {
  if (dest.x < 0 || dest.y < 0 ||
      static_cast<long long>(dest.Right()) * dest.Bottom() > kLargestScaledPart) {
    return nullptr;
  }
  const auto kept = std::find_if(scaled_.begin(), scaled_.end(), [&](const ScaledPartOf& part) {
    return part.dest == dest && part.from == from && part.halftone == halftone;
  });
  if (kept != scaled_.end()) {
    std::rotate(scaled_.begin(), kept, kept + 1);
    return &scaled_.front();
  }
  // Scaled on an image as far from its origin as `dest` lies, with the same calls, so
  // that every pixel is sampled at the same place as on the destination.
  UniqueCairoSurface part(
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, dest.Right(), dest.Bottom()));
  if (cairo_surface_status(part.get()) != CAIRO_STATUS_SUCCESS)
    return nullptr;
  {
    UniqueCairo cr(cairo_create(part.get()));
    if (!StretchOnto(cr.get(), dest, image_.get(), from, halftone))
      return nullptr;
  }
  if (static_cast<int>(scaled_.size()) >= kScaledPartsKept)
    scaled_.pop_back();
  scaled_.insert(scaled_.begin(),
                 ScaledPartOf{dest, from, halftone, std::move(part), std::nullopt, true});
  return &scaled_.front();
}

void CairoSurface::Changed() {
  scaled_.clear();
}

bool CairoSurface::Lacks(Colour colour) const {
  return keyed_ == colour || held_.lacks == colour || (held_.only_black && colour != kBlack);
}

void CairoSurface::Took(const Held& incoming) {
  // The pixels now are the ones there were and the incoming ones: a colour is lacking
  // only where both lack it.
  Held now;
  now.only_black = held_.only_black && incoming.only_black;
  if (held_.only_black) {
    now.lacks = incoming.lacks != kBlack ? incoming.lacks : std::nullopt;
  } else if (incoming.only_black) {
    now.lacks = held_.lacks != kBlack ? held_.lacks : std::nullopt;
  } else if (held_.lacks == incoming.lacks) {
    now.lacks = held_.lacks;
  }
  held_ = now;
}

bool CairoSurface::CopyTransparent(const Rect& dest, const Surface& source, Point from,
                                   Colour key) {
  const auto* cairo = dynamic_cast<const CairoSurface*>(&source);
  if (!cairo || !cairo->Image() || dest.Empty())
    return false;
  Changed();
  // Blended pixels may take any colour.
  Took(Held{});
  if (cairo->Lacks(key)) {
    return Transfer(dest, cairo->Image(), from, CAIRO_OPERATOR_OVER);
  }
  const Rect bounds{0, 0, cairo->Width(), cairo->Height()};
  const Rect taken = Rect{from.x, from.y, dest.width, dest.height}.Intersect(bounds);
  if (taken.Empty())
    return false;
  // Nothing to leave out: no copy to make.
  if (!HoldsOpaque(cairo->Image(), taken, key)) {
    return Transfer(dest, cairo->Image(), from, CAIRO_OPERATOR_OVER);
  }
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
  Changed();
  if (colour == kBlack) {
    Took(Held{true, std::nullopt});
  } else {
    held_.only_black = false;
    if (held_.lacks == colour)
      held_.lacks.reset();
  }
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
  // The same font again (the strip selects its two at every draw) keeps the one held.
  if (!cairo || (font_ && pango_font_description_equal(font_.get(), cairo->Description())))
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
  return text_.Measure(cr_.get(), CurrentFont(), text);
}

int CairoSurface::DrawText(std::string_view text, const Rect& box, unsigned format) {
  Changed();
  Took(Held{});
  const TextStyle style{CurrentFont(), text_colour_, text_background_};
  // Clipped text changes only its box: the box's pixels before and after say it all.
  const Rect area = box.Intersect(Rect{0, 0, width_, height_});
  if (!image_ || (format & text_format::kNoClip) || area.Empty() ||
      static_cast<long long>(area.width) * area.height > kLargestDrawnText) {
    return text_.Draw(cr_.get(), style, text, box, format);
  }
  std::vector<std::uint32_t> before = Pixels(area);
  const auto drawn = std::find_if(drawn_.begin(), drawn_.end(), [&](const DrawnText& d) {
    return d.box == box && d.format == format && d.colour == style.colour &&
           d.background == style.background && d.text == text &&
           pango_font_description_equal(d.font.get(), style.font) && d.before == before;
  });
  if (drawn != drawn_.end()) {
    std::rotate(drawn_.begin(), drawn, drawn + 1);
    SetPixels(area, drawn_.front().after);
    return drawn_.front().height;
  }
  const int height = text_.Draw(cr_.get(), style, text, box, format);
  if (static_cast<int>(drawn_.size()) >= kDrawnTextsKept)
    drawn_.pop_back();
  drawn_.insert(
      drawn_.begin(),
      DrawnText{std::string(text), UniqueFontDescription(pango_font_description_copy(style.font)),
                style.colour, style.background, box, format, height, std::move(before),
                Pixels(area)});
  return height;
}

std::vector<std::uint32_t> CairoSurface::Pixels(const Rect& area) {
  cairo_surface_flush(image_.get());
  const unsigned char* data = cairo_image_surface_get_data(image_.get());
  const int stride = cairo_image_surface_get_stride(image_.get());
  std::vector<std::uint32_t> pixels(static_cast<size_t>(area.width) * area.height);
  for (int y = 0; y < area.height; ++y) {
    std::memcpy(pixels.data() + static_cast<size_t>(y) * area.width,
                data + static_cast<size_t>(area.y + y) * stride + static_cast<size_t>(area.x) * 4,
                static_cast<size_t>(area.width) * 4);
  }
  return pixels;
}

void CairoSurface::SetPixels(const Rect& area, const std::vector<std::uint32_t>& pixels) {
  cairo_surface_flush(image_.get());
  unsigned char* data = cairo_image_surface_get_data(image_.get());
  const int stride = cairo_image_surface_get_stride(image_.get());
  for (int y = 0; y < area.height; ++y) {
    std::memcpy(data + static_cast<size_t>(area.y + y) * stride + static_cast<size_t>(area.x) * 4,
                pixels.data() + static_cast<size_t>(y) * area.width,
                static_cast<size_t>(area.width) * 4);
  }
  cairo_surface_mark_dirty_rectangle(image_.get(), area.x, area.y, area.width, area.height);
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
