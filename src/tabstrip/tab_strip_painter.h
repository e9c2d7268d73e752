#pragma once

#include "tabstrip/tab_painter.h"

namespace orvane {

class Canvas;
class Surface;
class uTab;

// The drawing steps the strip's logic asks for. The logic calls them only while drawing is
// enabled; Paint runs whenever the window asks for its picture.
class ITabStripPainter {
 public:
  virtual ~ITabStripPainter() = default;
  // Rebuilds the off-screen buffers for the strip's current size; throws DrawingError.
  virtual void CreateBuffers() = 0;
  virtual void DrawAll(bool update) = 0;
  virtual void DrawTabs(bool update) = 0;
  // Copies the finished picture to the window's paint target.
  virtual void Paint(Surface& target) = 0;
};

// The program's painter behind that seam, reading the strip and raising its background
// event through it.
class TabStripPainter final : public ITabStripPainter {
 public:
  // Loads the skins and creates the fonts; throws DrawingError.
  TabStripPainter(Canvas& canvas, uTab& strip);

  void CreateBuffers() override { painter_.CreateBuffers(); }
  void DrawAll(bool update) override { painter_.DrawAll(update); }
  void DrawTabs(bool update) override { painter_.DrawTabs(update); }
  void Paint(Surface& target) override { painter_.Paint(target); }

  const TabPainter& Painter() const { return painter_; }

 private:
  TabPainter painter_;
};

}  // namespace orvane
