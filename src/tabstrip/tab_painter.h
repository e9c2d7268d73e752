#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "base/canvas.h"

namespace orvane {

// What the painter reads of one tab.
struct TabPaintItem {
  int left = 0;  // from the start of the tab area
  int width = 0;
  std::string caption;  // UTF-8
  bool hide_button = false;
};

// The strip as the painter sees it: read-only, asked afresh at every draw.
class ITabPaintSource {
 public:
  virtual ~ITabPaintSource() = default;
  virtual int TabCount() const = 0;
  virtual TabPaintItem TabAt(int index) const = 0;
  virtual int Selected() const = 0;    // -1: none
  virtual int HoverIndex() const = 0;  // may be negative
  virtual int CloseState() const = 0;  // 0 none, 1 pointer over the close box, 2 pressed
  virtual int TabStyle() const = 0;
  virtual int TabLeftSize() const = 0;
  virtual int TabRightSize() const = 0;
  virtual int StripWidth() const = 0;
  virtual int StripHeight() const = 0;
  virtual bool DrawingEnabled() const = 0;  // false while LockReDraw holds drawing off
};

// The painter's calls back into the strip.
class ITabPaintHost {
 public:
  virtual ~ITabPaintHost() = default;
  // Raised at every background draw. `hdc` is the background buffer (nullptr while it is
  // missing), cx x cy its size; a handler that sets bSkipDefault paints it itself.
  virtual void OnDrawBackground(Surface* hdc, int cx, int cy, bool& bSkipDefault) = 0;
  // The finished picture must reach the strip window now: copy `back_buffer` to the
  // window at (0, 0) (or have the window repaint itself, which ends in Paint()).
  virtual void PresentBackBuffer(const Surface& back_buffer) = 0;
};

// Paints a tab strip from its two skins through three off-screen buffers: the
// background, the tab area with the tabs on it, and the finished picture (back buffer)
// that alone is ever copied to the window.
class TabPainter {
 public:
  // Loads both skins and creates both fonts; throws DrawingError when a skin cannot be
  // loaded. No buffers exist until CreateBuffers.
  TabPainter(Canvas& canvas, const ITabPaintSource& source, ITabPaintHost& host);
  ~TabPainter();
  TabPainter(const TabPainter&) = delete;
  TabPainter& operator=(const TabPainter&) = delete;

  // Frees the old buffers, then creates the back buffer, the background buffer and the
  // tab-area buffer for the strip's current size. Throws DrawingError at the first that
  // fails (those created before it stay); drawing into a missing buffer does nothing.
  void CreateBuffers();
  void FreeBuffers();

  // These do nothing while drawing is disabled.
  void DrawAll(bool update);
  void DrawBackground();
  void DrawTabs(bool update);
  // One caption: ellipsis at its end when wider than the box, else centred in it.
  void DrawCaption(Surface& dc, std::string_view text, int x, int y, int width, int height);

  // The window's paint request: copies the back buffer (strip width x style height) to
  // `target` at (0, 0), whether or not drawing is enabled.
  void Paint(Surface& target) const;

  // The buffers, for the strip's front-end and for reading pixels back.
  const Surface* BackBuffer() const { return back_.get(); }
  const Surface* BackgroundBuffer() const { return background_.get(); }
  const Surface* TabAreaBuffer() const { return tab_area_.get(); }
  const Surface& Skin(int tab_style) const;

 private:
  void DrawTab(int index, bool selected);

  Canvas& canvas_;
  const ITabPaintSource& source_;
  ITabPaintHost& host_;
  // Created in this order, released in the reverse: skins, fonts, buffers.
  std::unique_ptr<Surface> skin0_;
  std::unique_ptr<Surface> skin_other_;
  std::unique_ptr<Font> normal_font_;
  std::unique_ptr<Font> bold_font_;
  std::unique_ptr<Surface> back_;
  std::unique_ptr<Surface> background_;
  std::unique_ptr<Surface> tab_area_;
};

}  // namespace orvane
