#pragma once

#include <windows.h>

#include "widgets/caption_bar_host.h"
#include "widgets/win32/persistent_surface.h"

namespace orvane::win32 {

// A form's persistent drawing: a memory bitmap the size of the form's client area that
// the form copies to the screen when it paints (its WM_PAINT calls Paint). The caption
// bar paints the window frame onto it (Printform).
class FormCanvas final : public SkinTarget {
 public:
  FormCanvas(HWND form, Colour back_colour);

  // For the form's WM_PAINT.
  void Paint(HDC dc) const { surface_.PaintOnto(dc); }
  // Answers a form's WM_PAINT: validates `form` and copies `canvas` onto it, when the
  // form has one yet.
  static void PaintForm(HWND form, const FormCanvas* canvas);
  HDC hdc() const { return surface_.Dc(); }

  Size TargetSize() const override { return surface_.SurfaceSize(); }
  // Also takes the form's current client size.
  void ClearToBackColor() override;
  void CopyPicture(const Picture& picture, const Rect& source, Point dest) override;
  void Present() override { ::InvalidateRect(form_, nullptr, FALSE); }

 private:
  HWND form_;
  PersistentSurface surface_;
};

}  // namespace orvane::win32
