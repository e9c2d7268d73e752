#pragma once
// A small StatusNotifierWatcher and host for tests, on a D-Bus connection of its own: it
// records the items that register, reads their properties and calls their methods the way
// a desktop tray does.
#include <gio/gio.h>

#include <string>
#include <vector>

namespace orvane::gtk::test_tray {

class SniTestHost {
 public:
  // Connects to the session bus and, when `own_watcher`, claims the watcher's name.
  explicit SniTestHost(bool own_watcher = true);
  ~SniTestHost();
  SniTestHost(const SniTestHost&) = delete;
  SniTestHost& operator=(const SniTestHost&) = delete;

  // Waits until the watcher's name is ours (or was refused).
  bool WaitForWatcherName();
  const std::vector<std::string>& Registered() const { return registered_; }

  // A method call answered while the main loop runs (the item lives in this thread too).
  // Nothing when the call failed; `error` then says why.
  GVariant* Call(const std::string& bus_name, const std::string& path, const std::string& interface,
                 const std::string& method, GVariant* parameters, std::string* error = nullptr);
  // One property of an object, or nothing.
  GVariant* Property(const std::string& bus_name, const std::string& path,
                     const std::string& interface, const std::string& name);
  bool NameHasOwner(const std::string& bus_name);

  // Signals of the item interface seen so far, by member name.
  const std::vector<std::string>& ItemSignals() const { return item_signals_; }

 private:
  static void OnMethodCall(GDBusConnection*, const gchar* sender, const gchar*, const gchar*,
                           const gchar* method, GVariant* parameters,
                           GDBusMethodInvocation* invocation, gpointer self);
  static GVariant* OnGetProperty(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                                 const gchar* property, GError**, gpointer self);
  static void OnItemSignal(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                           const gchar* signal, GVariant*, gpointer self);
  static void OnNameAcquired(GDBusConnection*, const gchar*, gpointer self);
  static void OnNameLost(GDBusConnection*, const gchar*, gpointer self);

  GDBusConnection* connection_ = nullptr;
  GDBusNodeInfo* node_ = nullptr;
  guint registration_id_ = 0;
  guint owner_id_ = 0;
  guint signal_id_ = 0;
  int name_state_ = 0;  // 0 waiting, 1 ours, -1 refused
  std::vector<std::string> registered_;
  std::vector<std::string> item_signals_;
};

}  // namespace orvane::gtk::test_tray
