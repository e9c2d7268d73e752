#pragma once

#include <windows.h>

#include <memory>

#include "base/win32/window_base.h"
#include "browser/win32/browser_factory.h"
#include "mainwin/web_url.h"
#include "widgets/win32/panel_window.h"

namespace orvane::win32 {

// The page window `WebUrl` of one game tab: a window titled "Form1" that is never shown on
// its own (the tab strip takes it into the main window's container as a borderless
// child), holding the panel `Picture1` that fills it and the browser `wb` inside that panel,
// two pixels larger on every side so that the browser's own border is clipped.
class WebUrlWindow final : public WebUrlView, private BoundWindow {
 public:
  WebUrlWindow(browser::BrowserEvents& events, const BrowserFactory& make_browser);
  // The browser goes first, then the panel, then the window.
  ~WebUrlWindow() override;
  WebUrlWindow(const WebUrlWindow&) = delete;
  WebUrlWindow& operator=(const WebUrlWindow&) = delete;

  WindowHandle hWnd() const override;
  browser::Browser& wb() override { return *wb_; }

  HWND Window() const { return BoundWindow::hWnd(); }
  HWND Picture1() const { return picture1_->hWnd(); }

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

  std::unique_ptr<PanelWindow> picture1_;
  std::unique_ptr<browser::Browser> wb_;
};

}  // namespace orvane::win32
