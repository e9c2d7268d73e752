#include "mainwin/win32/web_url_window.h"

#include "base/units.h"
#include "base/win32/system_cursors.h"
#include "widgets/win32/caption_bar_window.h"

namespace orvane::win32 {
namespace {

constexpr wchar_t kPageClass[] = L"OrvaneWebUrl";
// The page's design client size: 9090 x 6255 twips.
constexpr int kPageWidthTwips = 9090;
constexpr int kPageHeightTwips = 6255;
constexpr Colour kPictureBackColour = 0xFFFFFF;
// The browser's own border lies outside the panel.
constexpr int kBorderPixels = 2;

}  // namespace

WebUrlWindow::WebUrlWindow(browser::BrowserEvents& events, const BrowserFactory& make_browser) {
  const Rect place{0, 0, TwipsToPixels(kPageWidthTwips), TwipsToPixels(kPageHeightTwips)};
  HWND window =
      CreateBoundWindow(kPageClass, 0, kCursorArrow, 0, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                        place, nullptr, nullptr, L"Form1");
  RECT client{};
  ::GetClientRect(window, &client);
  picture1_ = std::make_unique<PanelWindow>(window, Rect{0, 0, client.right, client.bottom},
                                            kPictureBackColour);
  wb_ = make_browser(picture1_->hWnd(), events);
  picture1_->OnSize([this](Size picture) {
    if (wb_) {
      wb_->Place(browser::BrowserPlacement{-kBorderPixels, -kBorderPixels,
                                           picture.cx + 2 * kBorderPixels,
                                           picture.cy + 2 * kBorderPixels});
    }
  });
  wb_->Place(browser::BrowserPlacement{-kBorderPixels, -kBorderPixels,
                                       client.right + 2 * kBorderPixels,
                                       client.bottom + 2 * kBorderPixels});
}

WebUrlWindow::~WebUrlWindow() {
  Unbind();
  wb_.reset();
  picture1_.reset();
  DestroyBoundWindow();
}

WindowHandle WebUrlWindow::hWnd() const {
  return WindowHandleOf(Window());
}

LRESULT WebUrlWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SIZE && picture1_) {
    picture1_->Move(Rect{0, 0, LOWORD(lp), HIWORD(lp)});
    return 0;
  }
  return Default(msg, wp, lp);
}

}  // namespace orvane::win32
