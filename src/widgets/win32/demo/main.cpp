// The widgets demo on Windows: a borderless window with the caption bar, the caption
// buttons, a link button and the frame the bar paints, resizable from its edges.
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "base/product.h"
#include "base/resource_ids.h"
#include "widgets/demo/demo_controls.h"
#include "widgets/demo/demo_layout.h"
#include "widgets/win32/borderless_hook.h"
#include "widgets/win32/button_window.h"
#include "widgets/win32/caption_bar_window.h"
#include "widgets/win32/form_canvas.h"
#include "widgets/win32/ole_picture.h"
#include "base/win32/system_cursors.h"
#include "base/win32/text_encoding.h"
#include "base/win32/window_base.h"

namespace {

using namespace orvane;
using namespace orvane::win32;

constexpr wchar_t kFormClass[] = L"OrvaneWidgetsDemo";
constexpr wchar_t kLogoClass[] = L"OrvaneWidgetsDemoLogo";

// The logo: a child window showing bitmap 105 at its natural size.
class Logo final : public BoundWindow {
 public:
  Logo(HWND parent, const Rect& place) : picture_(LoadBitmapPicture(ORVANE_BITMAP_LOGO)) {
    CreateBoundWindow(kLogoClass, 0, kCursorArrow, 0, WS_CHILD | WS_VISIBLE, place, parent,
                      nullptr);
  }
  ~Logo() { DestroyBoundWindow(); }

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_PAINT) {
      PAINTSTRUCT ps{};
      HDC dc = ::BeginPaint(hWnd(), &ps);
      if (picture_) {
        DrawPictureNatural(dc, *picture_, Point{0, 0});
      }
      ::EndPaint(hWnd(), &ps);
      return 0;
    }
    return Default(msg, wp, lp);
  }

  PicturePtr picture_;
};

class DemoForm final : public DoubleBufferedWindow, private cSetStyleEvents {
 public:
  DemoForm() {
    const int width = TwipsToPixels(demo::kFormWidthTwips);
    const int height = TwipsToPixels(demo::kFormHeightTwips);
    const std::wstring title = Utf8ToWide(kClientTitle);
    // No class cursor: over the form itself the borderless behaviour sets the pointer.
    hwnd_ = CreateBoundWindow(kFormClass, 0, nullptr, 0, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              Rect{100, 100, width, height}, nullptr, nullptr, title.c_str());
    style_.SetEvents(this);
    style_.objForm(hwnd_);
    style_.SetWindowStyle(hwnd_);
    ::SetWindowPos(hwnd_, nullptr, 100, 100, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    canvas_ = std::make_unique<FormCanvas>(hwnd_, demo::kFormBackColour);

    const demo::DemoLayout layout = demo::LayoutFor(width, height);
    controls_ = std::make_unique<Controls>(
        std::make_unique<BFormWindow>(hwnd_, layout.bar), layout,
        [this](const Rect& place) { return std::make_unique<iButtonWindow>(hwnd_, place); },
        LoadBitmapPicture,
        demo::DemoActions{[this] { ::ShowWindow(hwnd_, SW_MINIMIZE); },
                          [this] { ToggleMaximised(); },
                          [this] { ::PostMessageW(hwnd_, WM_CLOSE, 0, 0); }});
    controls_->bar->Logic().frmHwnd(WindowHandleOf(hwnd_));
    logo_ = std::make_unique<Logo>(hwnd_, layout.logo);
    // Children made later go below the ones before: the bar is put back behind them all.
    ::SetWindowPos(controls_->bar->hWnd(), HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Layout();
    ::ShowWindow(hwnd_, SW_SHOW);
  }

  // The children go before the form's window, which is no longer bound to what is left.
  ~DemoForm() { Unbind(); }

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override {
    if (LRESULT painted = 0; HandlePaint(msg, painted)) {
      return painted;
    }
    switch (msg) {
      case WM_SIZE:
        if (wp != SIZE_MINIMIZED && controls_) {
          Layout();
        }
        return 0;
      case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
      default:
        return Default(msg, wp, lp);
    }
  }

  void PaintBackBuffer(HDC target, Size) override {
    if (canvas_) {
      canvas_->Paint(target);
    }
  }

  // The close command goes on to the window's own handling, which closes it.
  void CloseClick() override {}

  void ToggleMaximised() {
    const bool maximised = style_.CallWindowStateChange();
    // A maximised window is not dragged by its caption bar.
    controls_->bar->Logic().frmHwnd(maximised ? 0 : WindowHandleOf(hwnd_));
  }

  // On every size change: the bar across the top, the buttons at the right, the frame.
  void Layout() {
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    const demo::DemoLayout layout = demo::LayoutFor(client.right, client.bottom);
    controls_->Place(layout, *canvas_);
  }

  HWND hwnd_ = nullptr;
  cSetStyleHook style_;
  std::unique_ptr<FormCanvas> canvas_;
  using Controls = demo::DemoControls<BFormWindow, iButtonWindow>;
  std::unique_ptr<Controls> controls_;
  std::unique_ptr<Logo> logo_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  auto form = std::make_unique<DemoForm>();
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
