#pragma once

#include <windows.h>

#include "base/colour.h"
#include "base/geometry.h"
#include "base/win32/gdi_handles.h"

namespace orvane::win32 {

// What has been drawn on a control or form: a memory bitmap the size of the window,
// copied to the window whenever it paints, kept across repaints.
class PersistentSurface {
 public:
  PersistentSurface(Size size, Colour back_colour);
  ~PersistentSurface();
  PersistentSurface(const PersistentSurface&) = delete;
  PersistentSurface& operator=(const PersistentSurface&) = delete;

  HDC Dc() const { return dc_.get(); }
  HBITMAP Bitmap() const { return bitmap_.get(); }
  Size SurfaceSize() const { return size_; }
  // Grows or shrinks; what was drawn stays at the top left, new parts get the back
  // colour.
  void Resize(Size size);
  void SetBackColour(Colour colour) { back_colour_ = colour; }
  Colour BackColour() const { return back_colour_; }
  void Clear();
  // Copies the image to `target` at the origin.
  void PaintOnto(HDC target) const;

 private:
  UniqueDc dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ original_ = nullptr;  // the context's own bitmap, put back before deletion
  Size size_;
  Colour back_colour_;
};

}  // namespace orvane::win32
