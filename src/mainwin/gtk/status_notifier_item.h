#pragma once
// The tray icon on desktops that show StatusNotifierItems: an org.kde.StatusNotifierItem
// object on the session bus under a bus name of its own, announced to the
// org.kde.StatusNotifierWatcher. Left click arrives as Activate, right click as
// ContextMenu; SecondaryActivate (middle click) and Scroll are accepted and ignored.

#include <gio/gio.h>

#include <functional>
#include <string>
#include <vector>

#include "mainwin/tray_icon_pixmaps.h"

namespace orvane::gtk {

class StatusNotifierItem {
 public:
  struct Callbacks {
    std::function<void()> activate;
    std::function<void()> context_menu;
    // The watcher came (true) or went, or was never there (false).
    std::function<void(bool)> watcher_present;
  };

  // Exports the item on `connection` and claims its bus name; `menu_path` names the
  // exported program menu on the same connection.
  StatusNotifierItem(GDBusConnection* connection, std::vector<TrayIconPixmap> pixmaps,
                     std::string menu_path, Callbacks callbacks);
  // Takes the object off the bus, gives the name back and stops watching the watcher.
  ~StatusNotifierItem();
  StatusNotifierItem(const StatusNotifierItem&) = delete;
  StatusNotifierItem& operator=(const StatusNotifierItem&) = delete;

  // Title and tooltip title; hosts are told with NewTitle and NewToolTip.
  void SetTitle(const std::string& title);

  const std::string& BusName() const { return bus_name_; }
  bool Exported() const { return registration_id_ != 0; }
  bool WatcherPresent() const { return watcher_present_; }

  static constexpr const char* kObjectPath = "/StatusNotifierItem";

 private:
  static void OnMethodCall(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                           const gchar* method, GVariant* parameters,
                           GDBusMethodInvocation* invocation, gpointer self);
  static GVariant* OnGetProperty(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                                 const gchar* property, GError** error, gpointer self);
  static void OnWatcherAppeared(GDBusConnection*, const gchar*, const gchar*, gpointer self);
  static void OnWatcherVanished(GDBusConnection*, const gchar*, gpointer self);
  static void OnNameAcquired(GDBusConnection*, const gchar*, gpointer self);
  static void OnRegistered(GObject* source, GAsyncResult* result, gpointer self);

  GVariant* PixmapsVariant() const;
  void Emit(const char* signal);
  void RegisterWithWatcher();

  GDBusConnection* connection_;
  std::vector<TrayIconPixmap> pixmaps_;
  std::string menu_path_;
  Callbacks callbacks_;
  std::string title_;
  std::string bus_name_;
  GDBusNodeInfo* node_ = nullptr;
  GCancellable* cancellable_ = nullptr;
  guint registration_id_ = 0;
  guint owner_id_ = 0;
  guint watch_id_ = 0;
  bool watcher_present_ = false;
  bool name_owned_ = false;
};

}  // namespace orvane::gtk
