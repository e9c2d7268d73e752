// Tray demo: a window with the program's tray icon. Left click on the icon hides or shows
// the window, right click pops up the menu; each click is also written to standard output
// so scripts can follow it.
#include <gtk/gtk.h>

#include <cstdio>

#include "base/product.h"
#include "mainwin/gtk/linux_tray.h"
#include "mainwin/notify_icon.h"

namespace {

class DemoOwner final : public orvane::NotifyIconOwner {
 public:
  explicit DemoOwner(GtkWidget* window) : window_(window) {}

  void Toggle() {
    if (gtk_widget_get_visible(window_)) {
      gtk_widget_hide(window_);
    } else {
      gtk_window_present(GTK_WINDOW(window_));
    }
  }

  void OnTrayLeftClick() override {
    std::printf("tray: left click\n");
    std::fflush(stdout);
    Toggle();
  }

  void OnTrayRightClick() override {
    std::printf("tray: right click\n");
    std::fflush(stdout);
    GtkWidget* menu = gtk_menu_new();
    GtkWidget* toggle = gtk_menu_item_new_with_label("隐藏/恢复(F10)");
    GtkWidget* quit = gtk_menu_item_new_with_label("退出");
    g_signal_connect_swapped(toggle, "activate",
                             G_CALLBACK(+[](DemoOwner* self) { self->Toggle(); }), this);
    g_signal_connect(quit, "activate", G_CALLBACK(gtk_main_quit), nullptr);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), toggle);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), quit);
    gtk_widget_show_all(menu);
    // The menu destroys itself once closed.
    g_signal_connect(menu, "deactivate", G_CALLBACK(+[](GtkWidget* m) {
                       g_idle_add_full(
                           G_PRIORITY_DEFAULT_IDLE,
                           +[](gpointer w) -> gboolean {
                             gtk_widget_destroy(GTK_WIDGET(w));
                             return G_SOURCE_REMOVE;
                           },
                           m, nullptr);
                     }),
                     nullptr);
    gtk_menu_popup_at_pointer(GTK_MENU(menu), nullptr);
  }

 private:
  GtkWidget* window_;
};

}  // namespace

int main(int argc, char** argv) {
  gtk_init(&argc, &argv);
  const std::string title(orvane::kClientTitle);
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), title.c_str());
  gtk_window_set_default_size(GTK_WINDOW(window), 320, 120);
  gtk_container_add(GTK_CONTAINER(window), gtk_label_new("Orvane: tray demo"));
  g_signal_connect(window, "delete-event", G_CALLBACK(gtk_main_quit), nullptr);

  DemoOwner owner(window);
  orvane::TrayMenu menu = {
      {"隐藏/恢复(F10)", true, [&] { owner.Toggle(); }},
      {"-", true, {}},
      {"退出", true, [] { gtk_main_quit(); }},
  };
  orvane::CNxNotifyIcon* icon_ptr = nullptr;
  orvane::gtk::LinuxTray tray(std::move(menu),
                              [&](std::uint32_t m) { icon_ptr->OnCallbackMessage(m); });
  orvane::CNxNotifyIcon icon(tray, &owner);
  icon_ptr = &icon;
  icon.AddNotifyIcon(0, 0, title);

  gtk_widget_show_all(window);
  gtk_main();
  gtk_widget_destroy(window);
  return 0;
}
