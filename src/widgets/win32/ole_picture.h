#pragma once

#include <windows.h>
#include <olectl.h>

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "base/geometry.h"
#include "base/win32/unique_handle.h"
#include "widgets/picture.h"

namespace orvane::win32 {

// A picture object of the platform (an OLE picture) holding a bitmap, with its palette
// if it has one, or an icon. The picture owns the handles it was made from.
class OlePicture final : public Picture {
 public:
  explicit OlePicture(ComPtr<IPicture> picture) noexcept : picture_(std::move(picture)) {}
  OlePicture(const OlePicture&) = delete;
  OlePicture& operator=(const OlePicture&) = delete;

  double WidthHimetric() const override;
  double HeightHimetric() const override;
  // PICTYPE_BITMAP or PICTYPE_ICON.
  short Type() const;
  HBITMAP Bitmap() const;
  HICON Icon() const;
  // The picture's size in pixels, from its handle.
  Size PixelSize() const;

 private:
  ComPtr<IPicture> picture_;
};

// The picture object of a bitmap and, on a palette display, its palette (the bitmap may be
// null for an empty cell). The picture takes both only when it is made; on failure they
// stay with the caller's owners.
PicturePtr MakePicture(UniqueBitmap&& bitmap, UniquePalette&& palette = UniquePalette());
// The picture object of an icon, which it takes only when it is made.
PicturePtr PictureFromIcon(UniqueIcon&& icon);
// A picture from a BMP file or packed DIB; nullptr when unreadable.
PicturePtr PictureFromBitmapBytes(std::span<const std::uint8_t> bytes);
// One of the program's BITMAP resources; nullptr when it is missing.
PicturePtr LoadBitmapPicture(int bitmap_id);

// The bitmap or icon of a picture made here; null for any other picture.
const OlePicture* AsOlePicture(const Picture& picture);

// Draws a picture stretched over `dest` (the device context's stretch mode), or at its
// natural size at `at`, or copies `source` of it one to one to `dest`.
void DrawPictureStretched(HDC dc, const Picture& picture, const Rect& dest);
void DrawPictureNatural(HDC dc, const Picture& picture, Point at);
void CopyPictureRect(HDC dc, const Picture& picture, const Rect& source, Point dest);

// Pictures kept with a form's stored properties as packed 32-bit DIBs.
class DibPictureCodec final : public PictureCodec {
 public:
  std::vector<std::uint8_t> Encode(const Picture& picture) override;
  PicturePtr Decode(std::span<const std::uint8_t> bytes) override;
};

}  // namespace orvane::win32
