#pragma once

#include <windows.h>

#include <functional>

#include "base/colour.h"
#include "base/geometry.h"
#include "base/win32/gdi_handles.h"
#include "base/win32/window_base.h"
#include "widgets/picture.h"

namespace orvane::win32 {

// The two paint steps of a window that shows one picture on a plain background: the
// background filled with `brush` (on WM_ERASEBKGND's device context), then the picture at
// its own size at the top-left corner (a whole WM_PAINT; nothing drawn without a picture).
void EraseWithBrush(HWND window, HDC dc, HBRUSH brush);
void PaintPictureAtOrigin(HWND window, const Picture* picture);

// A picture box: a child window filled with its back colour that shows a picture at its
// natural size at its top-left, and reports the mouse messages that reach its own surface.
// Page windows and browsers are placed inside it; it clips them (WS_CLIPCHILDREN).
class PanelWindow final : public BoundWindow {
 public:
  // Receives WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_LBUTTONUP and WM_MOUSEMOVE.
  using MouseHandler = std::function<void(UINT msg, WPARAM wp, LPARAM lp)>;
  // Receives the new client size after every WM_SIZE.
  using SizeHandler = std::function<void(Size client)>;

  PanelWindow(HWND parent, const Rect& place, Colour back_colour, bool visible = true);
  ~PanelWindow();
  PanelWindow(const PanelWindow&) = delete;
  PanelWindow& operator=(const PanelWindow&) = delete;

  void SetPicture(PicturePtr picture);
  void OnMouse(MouseHandler handler) { on_mouse_ = std::move(handler); }
  void OnSize(SizeHandler handler) { on_size_ = std::move(handler); }
  void Move(const Rect& place);

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

  UniqueBrush brush_;
  PicturePtr picture_;
  MouseHandler on_mouse_;
  SizeHandler on_size_;
};

}  // namespace orvane::win32
