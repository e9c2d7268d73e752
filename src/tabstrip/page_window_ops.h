#pragma once

#include <cstdint>

#include "base/geometry.h"
#include "base/window_handle.h"

namespace orvane {

// The window operations the tab collection needs from the platform: remembering a page
// window's style when it is taken in, and giving it back to the desktop later.
class IPageWindowOps {
 public:
  virtual ~IPageWindowOps() = default;

  // The window's style word as it is now.
  virtual std::uint32_t WindowStyle(WindowHandle window) = 0;
  // Writes the style word back unchanged in meaning; the frame is recomputed by the next
  // placement.
  virtual void SetWindowStyle(WindowHandle window, std::uint32_t style) = 0;
  // Detaches the window from its parent: it becomes a top-level window.
  virtual void MakeTopLevel(WindowHandle window) = 0;
  virtual Size ScreenSize() = 0;
  // The window's outer rectangle in screen coordinates.
  virtual Rect WindowRect(WindowHandle window) = 0;
  // Moves the window to (x, y) without resizing it, on top of the z-order, shown, with its
  // frame recomputed.
  virtual void PlaceOnTopShown(WindowHandle window, int x, int y) = 0;
  // Makes the window the active one.
  virtual void Activate(WindowHandle window) = 0;
  // Invalidates the whole window and repaints it at once.
  virtual void Repaint(WindowHandle window) = 0;
};

}  // namespace orvane
