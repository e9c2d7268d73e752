#pragma once

#include <gtk/gtk.h>

#include <memory>

#include "base/gtk/gobject_owner.h"
#include "browser/gtk/webkit_browser.h"
#include "mainwin/web_url.h"

namespace orvane::gtk {

// A game page on Linux: a box that the web view fills, hosted by the tab strip in the
// main window's content container. A web view draws no border of its own, so nothing has
// to lie outside the visible area.
class GtkWebUrlView final : public WebUrlView {
 public:
  explicit GtkWebUrlView(browser::BrowserEvents& events);
  ~GtkWebUrlView() override;
  GtkWebUrlView(const GtkWebUrlView&) = delete;
  GtkWebUrlView& operator=(const GtkWebUrlView&) = delete;

  WindowHandle hWnd() const override;
  browser::Browser& wb() override { return *browser_; }

 private:
  // Created in this order; released in the reverse (the web view before its page).
  GObjectOwner<GtkWidget> page_;
  std::unique_ptr<WebKitBrowser> browser_;
};

}  // namespace orvane::gtk
