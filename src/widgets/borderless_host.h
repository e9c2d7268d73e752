#pragma once

#include "base/geometry.h"
#include "widgets/borderless_geometry.h"
#include "widgets/taskbar_height.h"

namespace orvane {

// A form's place and size in twips, as the form reports and takes them.
struct FormPlace {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
  friend bool operator==(const FormPlace&, const FormPlace&) = default;
};

// What the borderless behaviour needs from the window it manages and from the screen.
// Positions are screen pixels unless said otherwise.
class cSetStyleHost {
 public:
  virtual Point CursorPos() = 0;
  virtual EdgeRect WindowRect() = 0;
  // The form's own pointer, shown where the mouse is over the form itself.
  virtual void SetFormPointer(ResizePointer pointer) = 0;
  // The resize outline: drawn on the whole screen while the drawing context is open;
  // drawing the same rectangle again removes it.
  virtual void OpenScreenDrawing() = 0;
  virtual void DrawOutline(const EdgeRect& rect) = 0;
  virtual void CloseScreenDrawing() = 0;
  // Moves and sizes the window to `rect`, repainting it.
  virtual void MoveWindowTo(const EdgeRect& rect) = 0;
  // The form's place in twips.
  virtual FormPlace Place() = 0;
  virtual void MoveForm(const FormPlace& place) = 0;
  virtual bool Minimised() = 0;
  virtual ScreenMetrics Screen() = 0;

 protected:
  ~cSetStyleHost() = default;
};

}  // namespace orvane
