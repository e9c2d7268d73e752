// browser_demo [address]: shows the login page of the publisher in effect (ORVANE_PUBLISHER
// names a local one) or `address`, in a window of the login frame's size, and prints every
// browser event. Page commands ("app://...") are printed and cancelled; new windows are
// handed to the system browser when they may leave.
#include <gtk/gtk.h>

#include <cstdio>
#include <string>

#include "base/publisher.h"
#include "browser/gtk/default_system_browser.h"
#include "browser/gtk/webkit_browser.h"
#include "browser/new_window.h"

namespace {

class PrintingOwner final : public orvane::browser::BrowserEvents {
 public:
  orvane::gtk::WebKitBrowser* browser = nullptr;

  void DownloadBegin() override { std::printf("DownloadBegin\n"); }
  void DocumentComplete(orvane::browser::DocumentId, const std::string& URL) override {
    browser->Silent(true);
    browser->HideScrollBars();
    std::printf("DocumentComplete %s (content: %s)\n", URL.c_str(),
                browser->DocumentHasContent() ? "yes" : "no");
    std::fflush(stdout);
  }
  void TitleChange(const std::string& Text) override {
    std::printf("TitleChange \"%s\"\n", Text.c_str());
  }
  void BeforeNavigate2(const std::string& URL, bool& Cancel) override {
    Cancel = URL.find("app://") != std::string::npos;
    std::printf("BeforeNavigate2 %s%s\n", URL.c_str(), Cancel ? " (page command, cancelled)" : "");
    std::fflush(stdout);
  }
  void NewWindow(const std::string& URL, bool& Processed) override {
    std::printf("NewWindow %s\n", URL.c_str());
    orvane::browser::HandNewWindowToSystemBrowser(URL, Processed, system_browser_);
  }

 private:
  orvane::gtk::DefaultSystemBrowser system_browser_;
};

}  // namespace

int main(int argc, char** argv) {
  gtk_init(&argc, &argv);
  const std::string address = argc > 1 ? argv[1] : orvane::LoginPageUrl();

  // The login frame: 731 x 369 with the browser one pixel beyond it on every side, so
  // that the page's own edge is clipped as in the login window. A GtkLayout clips its
  // children and, unlike a GtkFixed, does not grow to hold them.
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), "Orvane客户端");
  gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
  GtkWidget* frame = gtk_layout_new(nullptr, nullptr);
  gtk_widget_set_size_request(frame, 731, 369);
  gtk_container_add(GTK_CONTAINER(window), frame);
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);

  PrintingOwner owner;
  {
    orvane::gtk::WebKitBrowser browser(owner);
    owner.browser = &browser;
    gtk_layout_put(GTK_LAYOUT(frame), browser.Widget(), 0, 0);
    browser.Place({-1, -1, 751, 389});
    gtk_widget_show_all(window);
    browser.Navigate(address);
    gtk_main();
  }
  return 0;
}
