#include "app/gtk/gtk_message_boxes.h"

#include <string>

namespace orvane::gtk {

MessageAnswer GtkMessageBoxes::ShowMessageBox(const MessageBoxRequest& request) {
  GtkMessageType type = GTK_MESSAGE_QUESTION;
  if (request.icon == MessageIcon::kWarning) {
    type = GTK_MESSAGE_WARNING;
  } else if (request.icon == MessageIcon::kInformation) {
    type = GTK_MESSAGE_INFO;
  }
  const GtkButtonsType buttons =
      request.buttons == MessageButtons::kOk ? GTK_BUTTONS_OK : GTK_BUTTONS_YES_NO;
  const std::string text(request.text);
  const std::string title(request.title);
  // The text goes in as a property, never as a format string.
  GtkWidget* dialog = gtk_message_dialog_new(parent_, GTK_DIALOG_MODAL, type, buttons, nullptr);
  g_object_set(dialog, "text", text.c_str(), nullptr);
  gtk_window_set_title(GTK_WINDOW(dialog), title.c_str());
  gtk_window_set_position(GTK_WINDOW(dialog),
                          parent_ ? GTK_WIN_POS_CENTER_ON_PARENT : GTK_WIN_POS_CENTER);
  gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
  const gint response = gtk_dialog_run(GTK_DIALOG(dialog));
  gtk_widget_destroy(dialog);
  if (request.buttons == MessageButtons::kOk) {
    return MessageAnswer::kOk;
  }
  // Closed by the window manager or Escape: No.
  return response == GTK_RESPONSE_YES ? MessageAnswer::kYes : MessageAnswer::kNo;
}

}  // namespace orvane::gtk
