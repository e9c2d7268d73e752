// The widgets demo on Windows: a borderless window with the caption bar, the caption
// buttons, a link button and the frame the bar paints, resizable from its edges.
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "base/product.h"
#include "base/resource_ids.h"
#include "widgets/demo/demo_layout.h"
#include "widgets/win32/borderless_hook.h"
#include "widgets/win32/button_window.h"
#include "widgets/win32/caption_bar_window.h"
#include "widgets/win32/form_canvas.h"
#include "widgets/win32/ole_picture.h"
#include "widgets/win32/window_binding.h"

namespace {

using namespace orvane;
using namespace orvane::win32;

constexpr wchar_t kFormClass[] = L"OrvaneWidgetsDemo";
constexpr wchar_t kLogoClass[] = L"OrvaneWidgetsDemoLogo";

class OnClick final : public iButtonEvents {
 public:
  explicit OnClick(std::function<void()> action) : action_(std::move(action)) {}
  void Click() override { action_(); }

 private:
  std::function<void()> action_;
};

// The logo: a child window showing bitmap 105 at its natural size.
class Logo {
 public:
  Logo(HWND parent, const Rect& place) : picture_(LoadBitmapPicture(ORVANE_BITMAP_LOGO)) {
    EnsureWindowClass(kLogoClass, BoundWindowProc<Logo>, MAKEINTRESOURCEW(32512), 0);
    ::CreateWindowExW(0, kLogoClass, L"", WS_CHILD | WS_VISIBLE, place.x, place.y, place.width,
                      place.height, parent, nullptr, ::GetModuleHandleW(nullptr), this);
  }
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  void Detach() { hwnd_ = nullptr; }
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
      PAINTSTRUCT ps{};
      HDC dc = ::BeginPaint(hwnd_, &ps);
      if (picture_) {
        DrawPictureNatural(dc, *picture_, Point{0, 0});
      }
      ::EndPaint(hwnd_, &ps);
      return 0;
    }
    return ::DefWindowProcW(hwnd_, msg, wp, lp);
  }

 private:
  HWND hwnd_ = nullptr;
  PicturePtr picture_;
};

class DemoForm final : private cSetStyleEvents {
 public:
  DemoForm() {
    // No class cursor: over the form itself the borderless behaviour sets the pointer.
    EnsureWindowClass(kFormClass, BoundWindowProc<DemoForm>, nullptr, 0);
    const int width = TwipsToPixels(demo::kFormWidthTwips);
    const int height = TwipsToPixels(demo::kFormHeightTwips);
    const std::wstring title = Wide(kClientTitle);
    ::CreateWindowExW(0, kFormClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 100, 100,
                      width, height, nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
    style_.SetEvents(this);
    style_.objForm(hwnd_);
    style_.SetWindowStyle(hwnd_);
    ::SetWindowPos(hwnd_, nullptr, 100, 100, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    canvas_ = std::make_unique<FormCanvas>(hwnd_, demo::kFormBackColour);

    const demo::DemoLayout layout = demo::LayoutFor(width, height);
    bar_ = std::make_unique<BFormWindow>(hwnd_, layout.bar);
    bar_->Logic().BackColor("14606046");
    bar_->Logic().HasLogo(true);
    bar_->Logic().Caption(demo::kCaption);
    bar_->Logic().frmHwnd(WindowHandleOf(hwnd_));
    logo_ = std::make_unique<Logo>(hwnd_, layout.logo);
    menu_ = Button(layout.menu, ORVANE_BITMAP_MENU_BUTTON, [] {});
    minimise_ = Button(layout.minimise, ORVANE_BITMAP_MIN_BUTTON,
                       [this] { ::ShowWindow(hwnd_, SW_MINIMIZE); });
    maximise_ =
        Button(layout.maximise, ORVANE_BITMAP_MAXRESTORE_BUTTON, [this] { ToggleMaximised(); });
    close_ = Button(layout.close, ORVANE_BITMAP_CLOSE_BUTTON,
                    [this] { ::PostMessageW(hwnd_, WM_CLOSE, 0, 0); });
    maximise_->Logic().Style(1);
    link_ = Button(layout.link, ORVANE_BITMAP_LINK_GAME_SITE, [] {});
    link_->Logic().AutoSize(false);
    link_->Logic().cForeColor(Rgb(255, 255, 255));
    link_->Logic().Caption(demo::kLinkCaption);
    // Children made later go below the ones before: the bar is put back behind them all.
    ::SetWindowPos(bar_->hWnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Layout();
    ::ShowWindow(hwnd_, SW_SHOW);
  }

  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  void Detach() { hwnd_ = nullptr; }

  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
      case WM_PAINT: {
        PAINTSTRUCT ps{};
        HDC dc = ::BeginPaint(hwnd_, &ps);
        if (canvas_) {
          canvas_->Paint(dc);
        }
        ::EndPaint(hwnd_, &ps);
        return 0;
      }
      case WM_ERASEBKGND:
        return 1;
      case WM_SIZE:
        if (wp != SIZE_MINIMIZED && close_) {
          Layout();
        }
        return 0;
      case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
      default:
        return ::DefWindowProcW(hwnd_, msg, wp, lp);
    }
  }

 private:
  // The close command goes on to the window's own handling, which closes it.
  void CloseClick() override {}

  std::unique_ptr<iButtonWindow> Button(const Rect& place, int strip,
                                        std::function<void()> action) {
    auto button = std::make_unique<iButtonWindow>(hwnd_, place);
    button->Logic().BackPicture(LoadBitmapPicture(strip));
    handlers_.push_back(std::make_unique<OnClick>(std::move(action)));
    button->Logic().SetEvents(handlers_.back().get());
    return button;
  }

  void ToggleMaximised() {
    const bool maximised = style_.CallWindowStateChange();
    // A maximised window is not dragged by its caption bar.
    bar_->Logic().frmHwnd(maximised ? 0 : WindowHandleOf(hwnd_));
  }

  // On every size change: the bar across the top, the buttons at the right, the frame.
  void Layout() {
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    const demo::DemoLayout layout = demo::LayoutFor(client.right, client.bottom);
    bar_->Move(layout.bar);
    menu_->Move(layout.menu);
    minimise_->Move(layout.minimise);
    maximise_->Move(layout.maximise);
    close_->Move(layout.close);
    link_->Move(layout.link);
    bar_->Logic().Printform(*canvas_);
  }

  HWND hwnd_ = nullptr;
  cSetStyleHook style_;
  std::unique_ptr<FormCanvas> canvas_;
  std::unique_ptr<BFormWindow> bar_;
  std::unique_ptr<Logo> logo_;
  std::vector<std::unique_ptr<OnClick>> handlers_;
  std::unique_ptr<iButtonWindow> menu_;
  std::unique_ptr<iButtonWindow> minimise_;
  std::unique_ptr<iButtonWindow> maximise_;
  std::unique_ptr<iButtonWindow> close_;
  std::unique_ptr<iButtonWindow> link_;
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
