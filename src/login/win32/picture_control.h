#pragma once

#include <windows.h>

#include <functional>

#include "base/geometry.h"
#include "base/win32/gdi_handles.h"
#include "base/win32/window_base.h"
#include "widgets/picture.h"

namespace orvane::win32 {

// A picture control of the login window: shows its picture at its top-left on the
// window's background colour and reports a click (the left button pressed on it and
// released over it).
class PictureControl final : public BoundWindow {
 public:
  PictureControl(HWND parent, const Rect& place, PicturePtr picture, COLORREF back_colour,
                 std::function<void()> click);
  ~PictureControl();
  PictureControl(const PictureControl&) = delete;
  PictureControl& operator=(const PictureControl&) = delete;

  const PicturePtr& Picture() const { return picture_; }

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

  PicturePtr picture_;
  UniqueBrush brush_;
  std::function<void()> click_;
  bool pressed_ = false;
};

}  // namespace orvane::win32
