#pragma once

#include "tabstrip/page_window_ops.h"

namespace orvane::win32 {

// The tab collection's window operations on Win32 windows.
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

}  // namespace orvane::win32
