#pragma once

#include <cstdint>
#include <string_view>

#include "base/colour.h"
#include "base/geometry.h"
#include "base/window_handle.h"
#include "widgets/button_host.h"
#include "widgets/picture.h"

namespace orvane {

// A window that skin pieces are copied onto: the caption bar itself, or the form
// whose frame the bar paints. Lengths are pixels.
class SkinTarget {
 public:
  virtual Size TargetSize() const = 0;
  // Fills the whole target with its back colour.
  virtual void ClearToBackColor() = 0;
  // Copies `source` of `picture` one to one to `dest`.
  virtual void CopyPicture(const Picture& picture, const Rect& source, Point dest) = 0;
  // Shows what has been drawn.
  virtual void Present() = 0;

 protected:
  ~SkinTarget() = default;
};

// What the caption bar needs from the window that shows it.
class BFormHost : public SkinTarget {
 public:
  // The bar skin (bitmap 108) as the bar loaded it at creation; null when the program
  // carries none.
  virtual PicturePtr Skin() const = 0;
  virtual void SetBarHeight(int pixels) = 0;
  virtual void SetBackColor(Colour colour) = 0;
  // Draws UTF-8 text with its top-left corner at `at`, in the bar's white bold font.
  virtual void PrintText(std::string_view text, Point at) = 0;
  virtual void ShowCursor(SystemCursor cursor) = 0;
  // Releases the mouse and hands `window` to the window manager's interactive move as
  // a press on its caption would; returns once the window has been dropped, or at once
  // when `window` names no window.
  virtual void DragWindow(WindowHandle window) = 0;
  virtual void PropertyChanged(std::string_view name) = 0;

 protected:
  ~BFormHost() = default;
};

}  // namespace orvane
