#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/canvas.h"
#include "base/gtk/cairo_handles.h"
#include "base/gtk/cairo_text.h"

namespace orvane::gtk {

// A Surface on cairo: an ARGB image surface of its own (off-screen pictures, skins) or
// a window's cairo context borrowed while the window draws.
//
// Pixels may carry transparency: a skin has its key colour made transparent once, when
// it is loaded (`keyed`), so that transparent transfers from it are a plain paint with
// alpha; a transfer from any other surface clears the key colour on the way.
class CairoSurface final : public Surface {
 public:
  // Takes an ARGB32 image surface. `keyed`: the colour already made transparent in it;
  // reading such a pixel back yields that colour, as it would on the unkeyed picture.
  explicit CairoSurface(UniqueCairoSurface image, std::optional<Colour> keyed = std::nullopt);
  // Borrows (references) a window's context; width x height is the window's area.
  CairoSurface(cairo_t* target, int width, int height);
  ~CairoSurface() override;
  CairoSurface(const CairoSurface&) = delete;
  CairoSurface& operator=(const CairoSurface&) = delete;

  // The image surface; nullptr for a borrowed window context.
  cairo_surface_t* Image() const { return image_.get(); }
  std::optional<Colour> Keyed() const { return keyed_; }
  // Says that every pixel is opaque black now, as on a new off-screen picture.
  void MarkOpaqueBlack() { held_ = Held{true, std::nullopt}; }

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool Copy(const Rect& dest, const Surface& source, Point from) override;
  bool Stretch(const Rect& dest, const Surface& source, const Rect& from, bool halftone) override;
  bool CopyTransparent(const Rect& dest, const Surface& source, Point from, Colour key) override;
  bool FillRect(const Rect& area, Colour colour) override;
  void SetFont(const Font& font) override;
  void SetTextColour(Colour colour) override;
  void SetTextBackground(std::optional<Colour> opaque) override;
  Size MeasureText(std::string_view text) override;
  int DrawText(std::string_view text, const Rect& box, unsigned format) override;
  Colour GetPixel(Point p) const override;

 private:
  const PangoFontDescription* CurrentFont();
  // What is known of the colours of the pixels, kept up by the writes of this class: a
  // transparent transfer from a picture known to hold no pixel of its key colour (a tab
  // picture composed from a keyed skin) needs no keyed copy and no look at every pixel.
  struct Held {
    bool only_black = false;      // every pixel opaque black
    std::optional<Colour> lacks;  // no opaque pixel has this colour
  };
  bool Lacks(Colour colour) const;
  // After a write of pixels of which `incoming` is known (an empty Held: nothing).
  void Took(const Held& incoming);

  // Every write forgets the scaled parts kept of this picture.
  void Changed();
  struct ScaledPartOf;
  // `from` of this picture scaled as Stretch scales it onto `dest`, on an image reaching
  // from (0, 0) to the far corner of `dest`; kept until this picture changes. nullptr
  // where it is not kept (too large), and Stretch scales afresh.
  ScaledPartOf* ScaledPart(const Rect& dest, const Rect& from, bool halftone) const;
  bool Transfer(const Rect& dest, cairo_surface_t* source, Point from, cairo_operator_t op);

  UniqueCairoSurface image_;
  UniqueCairo cr_;
  int width_;
  int height_;
  std::optional<Colour> keyed_;
  UniqueFontDescription font_;
  CairoTextLayouts text_;
  // Parts of this picture as Stretch scaled them, most recently used first: a strip draws
  // the same tab pictures, scaled to the same widths, at every redraw.
  struct ScaledPartOf {
    Rect dest;
    Rect from;
    bool halftone;
    UniqueCairoSurface image;
    // The last colour looked for in the part, and whether an opaque pixel had it.
    std::optional<Colour> looked_for;
    bool holds = true;
  };
  static constexpr int kScaledPartsKept = 24;
  static constexpr long long kLargestScaledPart = 64 * 1024;  // pixels
  mutable std::vector<ScaledPartOf> scaled_;
  Held held_;

  // Texts drawn, with the pixels of their box before and after: a strip draws each
  // caption over the same tab picture at every redraw, and the same pixels under the same
  // text in the same style come out as the same pixels. Most recently used first.
  struct DrawnText {
    std::string text;
    UniqueFontDescription font;
    Colour colour;
    std::optional<Colour> background;
    Rect box;
    unsigned format;
    int height;
    std::vector<std::uint32_t> before;
    std::vector<std::uint32_t> after;
  };
  static constexpr int kDrawnTextsKept = 32;
  static constexpr long long kLargestDrawnText = 32 * 1024;  // pixels of the box
  std::vector<std::uint32_t> Pixels(const Rect& area);
  void SetPixels(const Rect& area, const std::vector<std::uint32_t>& pixels);
  std::vector<DrawnText> drawn_;
  Colour text_colour_ = kBlack;
  std::optional<Colour> text_background_ = Rgb(255, 255, 255);
};

// A new ARGB32 image surface of width x height with every pixel opaque black; nullptr
// when cairo cannot make it.
UniqueCairoSurface NewOpaqueImage(int width, int height);

}  // namespace orvane::gtk
