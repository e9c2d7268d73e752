#include "app/win32/win32_splash_view.h"
#include "base/win32/text_encoding.h"

#include "base/product.h"
#include "base/win32/system_cursors.h"

namespace orvane::win32 {
namespace {

constexpr wchar_t kSplashClass[] = L"OrvaneLoadFrm";

}  // namespace

Win32SplashView::Win32SplashView(SplashEvents& events) : events_(events) {
  const std::wstring title = Utf8ToWide(kClientTitle);
  // A tool window has no taskbar entry; the splash only shows the picture.
  CreateBoundWindow(kSplashClass, 0, kCursorArrow, WS_EX_TOOLWINDOW, WS_POPUP, Rect{}, nullptr,
                    nullptr, title.c_str());
}

Win32SplashView::~Win32SplashView() {
  // The picture goes before the session that decoded it; the window goes last.
  image_ = PngImage{};
  picture_.reset();
  gdiplus_.reset();
  DestroyBoundWindow();
}

void Win32SplashView::PresentPicture(int png_id) {
  HWND window = hWnd();
  if (window == nullptr) {
    return;
  }
  const LONG_PTR ex_style = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
  ::SetWindowLongPtrW(window, GWL_EXSTYLE, ex_style | WS_EX_LAYERED);
  gdiplus_ = std::make_unique<GdiplusSession>();
  image_ = LoadPngResource(png_id, ResourceType::Png);
  picture_ = std::make_unique<LayeredPicture>(window, image_);
  picture_->PresentOn(window);
}

void Win32SplashView::ShowCentred() {
  HWND window = hWnd();
  if (window == nullptr) {
    return;
  }
  RECT rect{};
  ::GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::ShowWindow(window, SW_SHOWNORMAL);
  ::UpdateWindow(window);
}

LRESULT Win32SplashView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CLOSE) {
    // The client decides; it unloads the window itself.
    events_.CloseRequested();
    return 0;
  }
  return Default(msg, wp, lp);
}

}  // namespace orvane::win32
