#include "support/gtk/sni_test_host.h"

#include <gtest/gtest.h>

#include "support/gtk/real_input.h"

namespace orvane::gtk::test_tray {
namespace {

constexpr const char* kWatcherXml = R"xml(<node>
  <interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
  </interface>
</node>)xml";

struct CallResult {
  bool done = false;
  GVariant* reply = nullptr;
  std::string error;
};

void OnCallDone(GObject* source, GAsyncResult* result, gpointer data) {
  auto* out = static_cast<CallResult*>(data);
  GError* error = nullptr;
  out->reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &error);
  if (error != nullptr) {
    out->error = error->message;
    g_error_free(error);
  }
  out->done = true;
}

}  // namespace

SniTestHost::SniTestHost(bool own_watcher) {
  GError* error = nullptr;
  gchar* address = g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, nullptr, &error);
  if (address == nullptr) {
    ADD_FAILURE() << "no session bus: " << error->message;
    g_error_free(error);
    return;
  }
  connection_ = g_dbus_connection_new_for_address_sync(
      address,
      static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                        G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
      nullptr, nullptr, &error);
  g_free(address);
  if (connection_ == nullptr) {
    ADD_FAILURE() << "cannot connect to the session bus: " << error->message;
    g_error_free(error);
    return;
  }
  signal_id_ = g_dbus_connection_signal_subscribe(
      connection_, nullptr, "org.kde.StatusNotifierItem", nullptr, nullptr, nullptr,
      G_DBUS_SIGNAL_FLAGS_NONE, OnItemSignal, this, nullptr);
  if (!own_watcher) {
    return;
  }
  node_ = g_dbus_node_info_new_for_xml(kWatcherXml, nullptr);
  static const GDBusInterfaceVTable kVTable = {OnMethodCall, OnGetProperty, nullptr, {}};
  registration_id_ =
      g_dbus_connection_register_object(connection_, "/StatusNotifierWatcher", node_->interfaces[0],
                                        &kVTable, this, nullptr, nullptr);
  owner_id_ = g_bus_own_name_on_connection(connection_, "org.kde.StatusNotifierWatcher",
                                           G_BUS_NAME_OWNER_FLAGS_DO_NOT_QUEUE, OnNameAcquired,
                                           OnNameLost, this, nullptr);
}

SniTestHost::~SniTestHost() {
  if (connection_ == nullptr) {
    return;
  }
  if (owner_id_ != 0) {
    g_bus_unown_name(owner_id_);
  }
  if (registration_id_ != 0) {
    g_dbus_connection_unregister_object(connection_, registration_id_);
  }
  g_dbus_connection_signal_unsubscribe(connection_, signal_id_);
  if (node_ != nullptr) {
    g_dbus_node_info_unref(node_);
  }
  g_dbus_connection_close_sync(connection_, nullptr, nullptr);
  g_object_unref(connection_);
}

bool SniTestHost::WaitForWatcherName() {
  return test_input::WaitUntil([this] { return name_state_ != 0; }) && name_state_ == 1;
}

GVariant* SniTestHost::Call(const std::string& bus_name, const std::string& path,
                            const std::string& interface, const std::string& method,
                            GVariant* parameters, std::string* error) {
  CallResult result;
  g_dbus_connection_call(connection_, bus_name.c_str(), path.c_str(), interface.c_str(),
                         method.c_str(), parameters, nullptr, G_DBUS_CALL_FLAGS_NONE, 5000, nullptr,
                         OnCallDone, &result);
  // The call has its own time-out, so this always ends with an answer.
  while (!result.done) {
    g_main_context_iteration(nullptr, TRUE);
  }
  if (error != nullptr) {
    *error = result.error;
  }
  return result.reply;
}

GVariant* SniTestHost::Property(const std::string& bus_name, const std::string& path,
                                const std::string& interface, const std::string& name) {
  GVariant* reply = Call(bus_name, path, "org.freedesktop.DBus.Properties", "Get",
                         g_variant_new("(ss)", interface.c_str(), name.c_str()));
  if (reply == nullptr) {
    return nullptr;
  }
  GVariant* value = nullptr;
  g_variant_get(reply, "(v)", &value);
  g_variant_unref(reply);
  return value;
}

bool SniTestHost::NameHasOwner(const std::string& bus_name) {
  GVariant* reply = Call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                         "NameHasOwner", g_variant_new("(s)", bus_name.c_str()));
  if (reply == nullptr) {
    return false;
  }
  gboolean has = FALSE;
  g_variant_get(reply, "(b)", &has);
  g_variant_unref(reply);
  return has != FALSE;
}

void SniTestHost::OnMethodCall(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                               const gchar* method, GVariant* parameters,
                               GDBusMethodInvocation* invocation, gpointer data) {
  auto* self = static_cast<SniTestHost*>(data);
  if (g_strcmp0(method, "RegisterStatusNotifierItem") == 0) {
    const gchar* service = nullptr;
    g_variant_get(parameters, "(&s)", &service);
    self->registered_.emplace_back(service);
  }
  g_dbus_method_invocation_return_value(invocation, nullptr);
}

GVariant* SniTestHost::OnGetProperty(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                                     const gchar* property, GError**, gpointer data) {
  auto* self = static_cast<SniTestHost*>(data);
  if (g_strcmp0(property, "RegisteredStatusNotifierItems") == 0) {
    GVariantBuilder builder;
    g_variant_builder_init(&builder, G_VARIANT_TYPE("as"));
    for (const auto& item : self->registered_) {
      g_variant_builder_add(&builder, "s", item.c_str());
    }
    return g_variant_builder_end(&builder);
  }
  if (g_strcmp0(property, "IsStatusNotifierHostRegistered") == 0) {
    return g_variant_new_boolean(TRUE);
  }
  return g_variant_new_int32(0);
}

void SniTestHost::OnItemSignal(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                               const gchar* signal, GVariant*, gpointer data) {
  static_cast<SniTestHost*>(data)->item_signals_.emplace_back(signal);
}

void SniTestHost::OnNameAcquired(GDBusConnection*, const gchar*, gpointer data) {
  static_cast<SniTestHost*>(data)->name_state_ = 1;
}

void SniTestHost::OnNameLost(GDBusConnection*, const gchar*, gpointer data) {
  static_cast<SniTestHost*>(data)->name_state_ = -1;
}

}  // namespace orvane::gtk::test_tray
