#include "updater/gtk/updater_window.h"

#include <string>

#include "base/product.h"
#include "updater/gtk/message_log.h"

namespace orvane::gtk {
namespace {

constexpr int kWidth = 380;
constexpr int kHeight = 120;

void SetIcon(GtkWindow* window) {
  GError* error = nullptr;
  GdkPixbuf* icon = gdk_pixbuf_new_from_resource("/orvane/updater/icon.ico", &error);
  if (icon == nullptr) {
    g_clear_error(&error);
    return;
  }
  gtk_window_set_icon(window, icon);
  g_object_unref(icon);
}

}  // namespace

UpdaterWindow::UpdaterWindow(std::function<void()> on_cancel) : on_cancel_(std::move(on_cancel)) {
  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  g_object_ref_sink(window_);
  const std::string title(kClientTitle);
  gtk_window_set_title(GTK_WINDOW(window_), title.c_str());
  gtk_window_set_default_size(GTK_WINDOW(window_), kWidth, kHeight);
  gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
  gtk_window_set_position(GTK_WINDOW(window_), GTK_WIN_POS_CENTER);
  SetIcon(GTK_WINDOW(window_));

  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 10);
  gtk_container_set_border_width(GTK_CONTAINER(box), 14);
  gtk_container_add(GTK_CONTAINER(window_), box);
  status_ = gtk_label_new("");
  gtk_label_set_xalign(GTK_LABEL(status_), 0.0f);
  gtk_label_set_ellipsize(GTK_LABEL(status_), PANGO_ELLIPSIZE_END);
  gtk_box_pack_start(GTK_BOX(box), status_, FALSE, FALSE, 0);
  progress_ = gtk_progress_bar_new();
  gtk_box_pack_start(GTK_BOX(box), progress_, FALSE, FALSE, 0);
  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
  gtk_box_pack_end(GTK_BOX(box), row, FALSE, FALSE, 0);
  cancel_ = gtk_button_new_with_label("取消");
  gtk_widget_set_size_request(cancel_, 88, -1);
  gtk_box_pack_end(GTK_BOX(row), cancel_, FALSE, FALSE, 0);

  g_signal_connect(cancel_, "clicked", G_CALLBACK(OnCancelClicked), this);
  g_signal_connect(window_, "delete-event", G_CALLBACK(OnDelete), this);
}

UpdaterWindow::~UpdaterWindow() {
  g_signal_handlers_disconnect_by_data(cancel_, this);
  g_signal_handlers_disconnect_by_data(window_, this);
  gtk_widget_destroy(window_);
  g_object_unref(window_);
}

void UpdaterWindow::Show() {
  gtk_widget_show_all(window_);
  gtk_widget_grab_focus(cancel_);
}

void UpdaterWindow::SetStatus(std::string_view text) {
  const std::string copy(text);
  gtk_label_set_text(GTK_LABEL(status_), copy.c_str());
}

void UpdaterWindow::SetProgress(std::int64_t done, std::int64_t total) {
  double fraction = total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 0.0;
  fraction = fraction < 0.0 ? 0.0 : (fraction > 1.0 ? 1.0 : fraction);
  gtk_progress_bar_set_fraction(GTK_PROGRESS_BAR(progress_), fraction);
}

void UpdaterWindow::EnableCancel(bool enabled) {
  gtk_widget_set_sensitive(cancel_, enabled);
}

void UpdaterWindow::ShowError(std::string_view text) {
  if (AppendToMessageLog(text)) {
    return;
  }
  const std::string copy(text);
  GtkWidget* dialog = gtk_message_dialog_new(GTK_WINDOW(window_), GTK_DIALOG_MODAL,
                                             GTK_MESSAGE_ERROR, GTK_BUTTONS_OK, "%s", copy.c_str());
  const std::string title(kClientTitle);
  gtk_window_set_title(GTK_WINDOW(dialog), title.c_str());
  gtk_dialog_run(GTK_DIALOG(dialog));
  gtk_widget_destroy(dialog);
}

void UpdaterWindow::OnCancelClicked(GtkButton*, gpointer self) {
  static_cast<UpdaterWindow*>(self)->on_cancel_();
}

gboolean UpdaterWindow::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
  static_cast<UpdaterWindow*>(self)->on_cancel_();
  return TRUE;
}

}  // namespace orvane::gtk
