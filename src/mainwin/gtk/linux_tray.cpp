#include "mainwin/gtk/linux_tray.h"

#include <gio/gio.h>

#include "base/resource_ids.h"
#include "base/resources.h"
#include "mainwin/gtk/dbus_menu_export.h"
#include "mainwin/gtk/status_notifier_item.h"
#include "mainwin/gtk/xembed_status_icon.h"

namespace orvane::gtk {

std::vector<TrayIconPixmap> ProgramTrayPixmaps() {
  const auto file = LoadResourceBytes(ResourceType::Icon, ORVANE_ICONFILE_MIRAB);
  if (!file) {
    return {};
  }
  return TrayIconPixmapsFromIconFile(*file);
}

LinuxTray::LinuxTray(TrayMenu menu, std::function<void(std::uint32_t)> on_mouse_message,
                     std::vector<TrayIconPixmap> pixmaps)
    : menu_(std::move(menu)),
      on_mouse_message_(std::move(on_mouse_message)),
      pixmaps_(pixmaps.empty() ? ProgramTrayPixmaps() : std::move(pixmaps)) {
  GError* error = nullptr;
  bus_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
  if (bus_ == nullptr) {
    // Without a session bus only the XEmbed tray is left.
    g_warning("tray: no session bus (%s); using the XEmbed tray", error->message);
    g_error_free(error);
  }
}

LinuxTray::~LinuxTray() {
  Hide();
  if (bus_ != nullptr) {
    g_object_unref(bus_);
  }
}

void LinuxTray::Notify(NotifyIconCommand command, const NotifyIconState& state) {
  switch (command) {
    case NotifyIconCommand::kAdd:
      Show(state);
      break;
    case NotifyIconCommand::kModify:
      // As the shell does, a modify changes only an icon that is there.
      title_ = state.tip;
      if (item_) {
        item_->SetTitle(title_);
      }
      if (fallback_) {
        fallback_->SetTitle(title_);
      }
      break;
    case NotifyIconCommand::kDelete:
      Hide();
      break;
  }
}

void LinuxTray::Show(const NotifyIconState& state) {
  title_ = state.tip;
  if (item_ || fallback_) {
    // A second add of the same icon changes nothing but its title.
    Notify(NotifyIconCommand::kModify, state);
    return;
  }
  if (bus_ == nullptr) {
    UseFallback(true);
    return;
  }
  menu_export_ = std::make_unique<DbusMenuExport>(kMenuPath, menu_);
  StatusNotifierItem::Callbacks callbacks;
  callbacks.activate = [this] { Click(kTrayLeftButtonUp); };
  callbacks.context_menu = [this] { Click(kTrayRightButtonUp); };
  callbacks.watcher_present = [this](bool present) { UseFallback(!present); };
  item_ = std::make_unique<StatusNotifierItem>(bus_, pixmaps_, kMenuPath, std::move(callbacks));
  item_->SetTitle(title_);
}

void LinuxTray::Hide() {
  fallback_.reset();
  item_.reset();
  menu_export_.reset();
}

void LinuxTray::UseFallback(bool use) {
  if (!use) {
    fallback_.reset();
    return;
  }
  if (fallback_ || pixmaps_.empty()) {
    if (!fallback_ && pixmaps_.empty()) {
      g_warning("tray: the program's icon could not be read; no XEmbed icon");
    }
    return;
  }
  XEmbedStatusIcon::Callbacks callbacks;
  callbacks.left_click = [this] { Click(kTrayLeftButtonUp); };
  callbacks.right_click = [this] { Click(kTrayRightButtonUp); };
  fallback_ = std::make_unique<XEmbedStatusIcon>(pixmaps_.back(), title_, std::move(callbacks));
}

void LinuxTray::Click(std::uint32_t mouse_message) {
  if (on_mouse_message_) {
    on_mouse_message_(mouse_message);
  }
}

}  // namespace orvane::gtk
