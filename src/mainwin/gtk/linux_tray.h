#pragma once
// The Linux tray behind CNxNotifyIcon: a StatusNotifierItem with the program menu over
// dbusmenu while a StatusNotifierWatcher is on the session bus, GTK's XEmbed status icon
// while none is. Clicks come back as the mouse messages the Windows shell would send, so
// the owner's handling is the same on both platforms. Balloons have no place in either
// protocol and are not shown.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "mainwin/notify_icon.h"
#include "mainwin/tray_icon_pixmaps.h"
#include "mainwin/tray_menu.h"

typedef struct _GDBusConnection GDBusConnection;

namespace orvane::gtk {

class StatusNotifierItem;
class DbusMenuExport;
class XEmbedStatusIcon;

class LinuxTray final : public NotifyIconHost {
 public:
  // `pixmaps` empty: the program's own icon. `on_mouse_message` receives 0x0202 for a left
  // click and 0x0205 for a right click (pass them to CNxNotifyIcon::OnCallbackMessage).
  LinuxTray(TrayMenu menu, std::function<void(std::uint32_t)> on_mouse_message,
            std::vector<TrayIconPixmap> pixmaps = {});
  ~LinuxTray();
  LinuxTray(const LinuxTray&) = delete;
  LinuxTray& operator=(const LinuxTray&) = delete;

  void Notify(NotifyIconCommand command, const NotifyIconState& state) override;

  // For tests and diagnostics.
  const StatusNotifierItem* Item() const { return item_.get(); }
  const XEmbedStatusIcon* Fallback() const { return fallback_.get(); }

  static constexpr const char* kMenuPath = "/MenuBar";

 private:
  void Show(const NotifyIconState& state);
  void Hide();
  void UseFallback(bool use);
  void Click(std::uint32_t mouse_message);

  TrayMenu menu_;
  std::function<void(std::uint32_t)> on_mouse_message_;
  std::vector<TrayIconPixmap> pixmaps_;
  std::string title_;
  GDBusConnection* bus_ = nullptr;
  std::unique_ptr<DbusMenuExport> menu_export_;
  std::unique_ptr<StatusNotifierItem> item_;
  std::unique_ptr<XEmbedStatusIcon> fallback_;
};

// The program's icon pictures at the tray sizes, from the icon file it carries.
std::vector<TrayIconPixmap> ProgramTrayPixmaps();

}  // namespace orvane::gtk
