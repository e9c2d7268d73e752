#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "app/win32/gdiplus_flat.h"
#include "app/win32/png_resource.h"
#include "base/win32/unique_handle.h"

namespace orvane::win32 {

namespace close {
inline void GdiplusGraphics(Gdiplus::GpGraphics* graphics) {
  Gdiplus::DllExports::GdipDeleteGraphics(graphics);
}
}  // namespace close

// A picture drawn into an off-screen bitmap that feeds a per-pixel-alpha layered window:
// a memory device context compatible with the window's, a 32-bit bitmap of the picture's
// size selected into it, and a GDI+ drawing surface over it. The bitmap is a 32-bit
// top-down section with premultiplied alpha, the form the layered-window update reads
// alpha from whatever the screen's depth; the drawing surface writes into those very
// pixels. Released in reverse order: the drawing surface, the previous bitmap selected
// back, the bitmap, the memory context.
class LayeredPicture {
 public:
  // Draws `image` at (0, 0) with its own width and height. `window` gives the device
  // context the memory context is made compatible with.
  LayeredPicture(HWND window, const PngImage& image);
  ~LayeredPicture();
  LayeredPicture(const LayeredPicture&) = delete;
  LayeredPicture& operator=(const LayeredPicture&) = delete;

  // Makes the picture the window's whole content: the window keeps its position and
  // takes the picture's size; source-over with constant alpha 255 and the picture's own
  // per-pixel alpha.
  bool PresentOn(HWND window) const;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // A pixel of the off-screen bitmap as 0xAARRGGBB, premultiplied; nothing outside.
  std::optional<std::uint32_t> PixelAt(int x, int y) const;

 private:
  int width_ = 0;
  int height_ = 0;
  UniqueDc dc_;
  UniqueBitmap bitmap_;
  void* bits_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  UniqueHandle<Gdiplus::GpImage*, close::GdiplusImage> target_;
  UniqueHandle<Gdiplus::GpGraphics*, close::GdiplusGraphics> graphics_;
};

}  // namespace orvane::win32
