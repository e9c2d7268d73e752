#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <string>

#include "updater/updater_ports.h"

namespace orvane::gtk {

// The updater's window: the product's title and icon, a progress bar, one status line
// and a "取消" button. Closing the window counts as "取消"; the window itself stays
// until the updater ends.
class UpdaterWindow final : public UpdaterView {
 public:
  explicit UpdaterWindow(std::function<void()> on_cancel);
  ~UpdaterWindow() override;
  UpdaterWindow(const UpdaterWindow&) = delete;
  UpdaterWindow& operator=(const UpdaterWindow&) = delete;

  void Show();

  void SetStatus(std::string_view text) override;
  void SetProgress(std::int64_t done, std::int64_t total) override;
  void EnableCancel(bool enabled) override;
  void ShowError(std::string_view text) override;

 private:
  static void OnCancelClicked(GtkButton* button, gpointer self);
  static gboolean OnDelete(GtkWidget* widget, GdkEvent* event, gpointer self);

  std::function<void()> on_cancel_;
  GtkWidget* window_ = nullptr;
  GtkWidget* status_ = nullptr;
  GtkWidget* progress_ = nullptr;
  GtkWidget* cancel_ = nullptr;
};

}  // namespace orvane::gtk
