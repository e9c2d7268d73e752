#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/colour.h"
#include "base/geometry.h"

namespace orvane {

// The drawing surfaces of the client, seen without the platform: the tab strip, the
// skinned buttons and the caption bar paint through these, and each platform supplies
// one implementation (GDI memory device contexts, cairo image surfaces).

// Texts of the failures of creating an off-screen picture, as the program reports them.
inline constexpr const char* kErrGetDcFailed = "GetDC调用失败";
inline constexpr const char* kErrCreateBitmapFailed = "CreateCompatibleBitmap调用失败";
inline constexpr const char* kErrCreateDcFailed = "CreateCompatibleDC调用失败";

// Creating a surface or loading a skin failed; what() is one of the texts above (or,
// for a skin that cannot be found, a description naming its id).
class DrawingError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Text layout flags, with the values of the platform's DrawText format.
namespace text_format {
inline constexpr unsigned kLeft = 0x0;
inline constexpr unsigned kCenter = 0x1;
inline constexpr unsigned kRight = 0x2;
inline constexpr unsigned kVCenter = 0x4;
inline constexpr unsigned kBottom = 0x8;
inline constexpr unsigned kWordBreak = 0x10;
inline constexpr unsigned kSingleLine = 0x20;
inline constexpr unsigned kNoClip = 0x100;
inline constexpr unsigned kNoPrefix = 0x800;
inline constexpr unsigned kEndEllipsis = 0x8000;
}  // namespace text_format

// A font made by a Canvas; only the Canvas that made it can select it.
class Font {
 public:
  virtual ~Font() = default;
  virtual int Weight() const = 0;
};

// An off-screen picture, or the drawing target of a window while it paints.
// Coordinates are pixels from the top-left corner. Transfers take their source from
// another Surface of the same Canvas; pixels outside either surface are not
// transferred, and an empty rectangle (zero or negative width or height) transfers
// nothing, rather than mirroring. Every drawing call returns whether the platform
// reported success.
class Surface {
 public:
  virtual ~Surface() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;

  // Plain block transfer of dest.width x dest.height from `from` in `source`.
  virtual bool Copy(const Rect& dest, const Surface& source, Point from) = 0;
  // Scales `from` in `source` onto `dest`. `halftone` averages the source pixels;
  // otherwise pixels are repeated or dropped (the platform's default stretch mode).
  virtual bool Stretch(const Rect& dest, const Surface& source, const Rect& from,
                       bool halftone) = 0;
  // Block transfer of the same size that leaves out the source pixels of colour `key`.
  virtual bool CopyTransparent(const Rect& dest, const Surface& source, Point from, Colour key) = 0;
  virtual bool FillRect(const Rect& area, Colour colour) = 0;

  // Text state, kept until changed. A new surface has the platform's default font,
  // black text and an opaque white text background.
  virtual void SetFont(const Font& font) = 0;
  virtual void SetTextColour(Colour colour) = 0;
  // std::nullopt: glyphs are drawn over what is there; a colour: their cells are
  // filled with it first.
  virtual void SetTextBackground(std::optional<Colour> opaque) = 0;

  // Extent of one line of UTF-8 text in the current font.
  virtual Size MeasureText(std::string_view text) = 0;
  // Draws UTF-8 text into `box` with text_format flags; returns the height of the text
  // drawn, 0 on failure.
  virtual int DrawText(std::string_view text, const Rect& box, unsigned format) = 0;

  // Read-back of one pixel; kInvalidColour outside the surface.
  virtual Colour GetPixel(Point p) const = 0;
};

// The platform's factory of surfaces, skins and fonts.
class Canvas {
 public:
  virtual ~Canvas() = default;

  // An off-screen picture of that size, compatible with the screen; its pixels start
  // black. Throws DrawingError (a zero or negative size fails with the bitmap text).
  virtual std::unique_ptr<Surface> CreateSurface(int width, int height) = 0;
  // One of the program's BITMAP resources as a surface of its own. Throws DrawingError.
  virtual std::unique_ptr<Surface> LoadSkin(int bitmap_id) = 0;
  // The platform's default GUI font with the given weight (100 thin ... 700 bold).
  virtual std::unique_ptr<Font> CreateGuiFont(int weight) = 0;
};

}  // namespace orvane
