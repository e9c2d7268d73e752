#pragma once

#include "base/window_handle.h"

namespace orvane {

class Surface;

// What the strip's logic asks of the window it lives in. Each platform's control implements
// it over its native window and container.
class IuTabHost {
 public:
  virtual ~IuTabHost() = default;

  // The strip's own window.
  virtual WindowHandle Window() const = 0;
  // The window of the form the strip sits on; 0 when there is none.
  virtual WindowHandle ParentForm() const = 0;
  // Gives the strip window the height of its style.
  virtual void SetStripHeight(int height) = 0;
  // Starts reporting size changes of the container (after its own handling) to the
  // strip's ContainerResized; stops watching the previous container.
  virtual void WatchContainer(WindowHandle container) = 0;
  // Takes a page window into the container as a borderless child at (0, 0) with the
  // container's size, hidden.
  virtual void HostPage(WindowHandle container, WindowHandle page) = 0;
  // Shows the page window at (0, 0) with the container's size, above the other pages.
  virtual void FitPage(WindowHandle container, WindowHandle page) = 0;
  // Asks for one report when the pointer leaves the strip window.
  virtual void TrackMouseLeave() = 0;
  // The finished picture must reach the window now.
  virtual void PresentBackBuffer(const Surface& back_buffer) = 0;
};

}  // namespace orvane
