#pragma once

#include "tabstrip/page_window_ops.h"

namespace orvane::gtk {

// The tab collection's window operations on GTK widgets. A page is a widget that the strip
// moves into its container; GTK widgets have no style word, so the style reads as 0 and
// is written nowhere. Giving a page back puts it into a top-level window of its own,
// which goes when the page is destroyed.
class PageWindowOps final : public IPageWindowOps {
 public:
  std::uint32_t WindowStyle(WindowHandle window) override;
  void SetWindowStyle(WindowHandle window, std::uint32_t style) override;
  void MakeTopLevel(WindowHandle window) override;
  Size ScreenSize() override;
  Rect WindowRect(WindowHandle window) override;
  void PlaceOnTopShown(WindowHandle window, int x, int y) override;
  void Activate(WindowHandle window) override;
  void Repaint(WindowHandle window) override;
};

}  // namespace orvane::gtk
