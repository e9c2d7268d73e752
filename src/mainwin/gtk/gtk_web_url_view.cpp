#include "mainwin/gtk/gtk_web_url_view.h"

#include "tabstrip/gtk/widget_handle.h"

namespace orvane::gtk {

GtkWebUrlView::GtkWebUrlView(browser::BrowserEvents& events)
    : page_(gtk_box_new(GTK_ORIENTATION_VERTICAL, 0), nullptr,
            GObjectOwner<GtkWidget>::Release::kDestroyWidget),
      browser_(std::make_unique<WebKitBrowser>(events)) {
  gtk_box_pack_start(GTK_BOX(page_.get()), browser_->Widget(), TRUE, TRUE, 0);
  gtk_widget_show_all(page_.get());
}

GtkWebUrlView::~GtkWebUrlView() {
  browser_.reset();
  page_.reset();
}

WindowHandle GtkWebUrlView::hWnd() const {
  return FromWidget(page_.get());
}

}  // namespace orvane::gtk
