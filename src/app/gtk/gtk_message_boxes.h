#pragma once

#include <gtk/gtk.h>

#include "app/message_box.h"

namespace orvane::gtk {

// The client's notices and questions as GTK message dialogs: the title and text as given,
// the warning or question icon, OK or Yes and No, run modally.
class GtkMessageBoxes final : public MessageBoxes {
 public:
  // `parent` is the window the dialog belongs to; none while no window of the client exists.
  explicit GtkMessageBoxes(GtkWindow* parent = nullptr) : parent_(parent) {}
  void Parent(GtkWindow* parent) { parent_ = parent; }

  MessageAnswer ShowMessageBox(const MessageBoxRequest& request) override;

 private:
  GtkWindow* parent_;
};

}  // namespace orvane::gtk
