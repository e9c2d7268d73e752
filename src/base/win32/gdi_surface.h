#pragma once

#include <windows.h>

#include "base/canvas.h"
#include "base/win32/gdi_handles.h"
#include "base/win32/gdi_mem_dc.h"

namespace orvane::win32 {

// A font made by GdiCanvas.
class GdiFont final : public Font {
 public:
  GdiFont(UniqueFont font, int weight) : font_(std::move(font)), weight_(weight) {}
  int Weight() const override { return weight_; }
  HFONT Handle() const { return font_.get(); }

 private:
  UniqueFont font_;
  int weight_;
};

// A Surface over a device context: either a memory context it owns (off-screen
// pictures, skins) or a window's context it only borrows while the window paints.
class GdiSurface final : public Surface {
 public:
  // Borrows `dc`; the caller releases it after this surface is gone.
  GdiSurface(HDC dc, int width, int height);
  GdiSurface(MemDc owned, int width, int height);
  // Puts the context's original font back before the context goes.
  ~GdiSurface() override;
  GdiSurface(const GdiSurface&) = delete;
  GdiSurface& operator=(const GdiSurface&) = delete;

  HDC Dc() const { return dc_; }

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
  MemDc owned_;
  HDC dc_;
  int width_;
  int height_;
  HGDIOBJ original_font_ = nullptr;
};

// Copies `picture` whole to the client area of `window` at (0, 0), now, through the
// window's own device context: how a double-buffered control presents its back buffer
// outside of painting.
bool CopyToWindow(HWND window, const Surface& picture);

}  // namespace orvane::win32
