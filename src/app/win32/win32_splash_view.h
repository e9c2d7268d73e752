#pragma once

#include <windows.h>

#include <memory>

#include "app/load_frm.h"
#include "app/win32/gdiplus_session.h"
#include "app/win32/layered_picture.h"
#include "app/win32/png_resource.h"
#include "base/win32/unique_handle.h"
#include "base/win32/window_base.h"

namespace orvane::win32 {

// The splash window `LoadFrm`: a borderless popup without a taskbar entry that shows its
// picture as a per-pixel-alpha layered window. From its load to its unload it holds its
// own GDI+ session, the decoded picture and the off-screen drawing objects; they go in the
// reverse order (picture, drawing surface, session, bitmap objects) when the view goes.
class Win32SplashView final : public SplashView, private BoundWindow {
 public:
  explicit Win32SplashView(SplashEvents& events);
  ~Win32SplashView() override;
  Win32SplashView(const Win32SplashView&) = delete;
  Win32SplashView& operator=(const Win32SplashView&) = delete;

  void PresentPicture(int png_id) override;
  void ShowCentred() override;

  HWND Window() const { return hWnd(); }
  const LayeredPicture* Picture() const { return picture_.get(); }

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

  SplashEvents& events_;
  std::unique_ptr<GdiplusSession> gdiplus_;
  PngImage image_;
  std::unique_ptr<LayeredPicture> picture_;
};

}  // namespace orvane::win32
