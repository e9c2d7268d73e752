#pragma once

#include <windows.h>

#include <memory>
#include <string_view>

#include "base/win32/gdi_handles.h"
#include "base/win32/window_base.h"
#include "widgets/caption_bar.h"
#include "widgets/win32/persistent_surface.h"

namespace orvane::win32 {

// The number that names a window to the caption bar (its frmHwnd).
inline WindowHandle WindowHandleOf(HWND window) {
  return static_cast<WindowHandle>(reinterpret_cast<UINT_PTR>(window));
}

// The caption bar on Windows: a child window painted from the bar skin through its
// persistent surface; a left press hands the frmHwnd window to the system's move loop.
class BFormWindow final : public DoubleBufferedWindow, private BFormHost {
 public:
  // A bar at `place` (pixels) in `parent`, with the skin from bitmap resource 108 (or
  // `skin`, when given).
  BFormWindow(HWND parent, const Rect& place, PicturePtr skin = nullptr, int id = 0);
  ~BFormWindow();
  BFormWindow(const BFormWindow&) = delete;
  BFormWindow& operator=(const BFormWindow&) = delete;

  BForm& Logic() { return *logic_; }
  void Move(const Rect& place);

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void PaintBackBuffer(HDC target, Size client) override;

  // BFormHost
  Size TargetSize() const override;
  void ClearToBackColor() override { surface_.Clear(); }
  void CopyPicture(const Picture& picture, const Rect& source, Point dest) override;
  void Present() override { ::InvalidateRect(hWnd(), nullptr, FALSE); }
  PicturePtr Skin() const override { return skin_; }
  void SetBarHeight(int pixels) override;
  void SetBackColor(Colour colour) override { surface_.SetBackColour(colour); }
  void PrintText(std::string_view text, Point at) override;
  void ShowCursor(SystemCursor cursor) override;
  void DragWindow(WindowHandle window) override;
  void PropertyChanged(std::string_view name) override;

  PersistentSurface surface_;
  PicturePtr skin_;
  UniqueFont font_;
  std::unique_ptr<BForm> logic_;
};

}  // namespace orvane::win32
