#include "mainwin/gtk/status_notifier_item.h"

#include <unistd.h>

#include <atomic>

namespace orvane::gtk {
namespace {

constexpr const char* kItemInterface = "org.kde.StatusNotifierItem";
constexpr const char* kWatcherName = "org.kde.StatusNotifierWatcher";
constexpr const char* kWatcherPath = "/StatusNotifierWatcher";

constexpr const char* kIntrospection = R"xml(<node>
  <interface name="org.kde.StatusNotifierItem">
    <property name="Category" type="s" access="read"/>
    <property name="Id" type="s" access="read"/>
    <property name="Title" type="s" access="read"/>
    <property name="Status" type="s" access="read"/>
    <property name="WindowId" type="i" access="read"/>
    <property name="IconName" type="s" access="read"/>
    <property name="IconPixmap" type="a(iiay)" access="read"/>
    <property name="OverlayIconName" type="s" access="read"/>
    <property name="OverlayIconPixmap" type="a(iiay)" access="read"/>
    <property name="AttentionIconName" type="s" access="read"/>
    <property name="AttentionIconPixmap" type="a(iiay)" access="read"/>
    <property name="AttentionMovieName" type="s" access="read"/>
    <property name="ToolTip" type="(sa(iiay)ss)" access="read"/>
    <property name="ItemIsMenu" type="b" access="read"/>
    <property name="Menu" type="o" access="read"/>
    <method name="ContextMenu"><arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/></method>
    <method name="Activate"><arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/></method>
    <method name="SecondaryActivate"><arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/></method>
    <method name="Scroll"><arg name="delta" type="i" direction="in"/><arg name="orientation" type="s" direction="in"/></method>
    <signal name="NewTitle"/>
    <signal name="NewIcon"/>
    <signal name="NewAttentionIcon"/>
    <signal name="NewOverlayIcon"/>
    <signal name="NewToolTip"/>
    <signal name="NewStatus"><arg name="status" type="s"/></signal>
  </interface>
</node>)xml";

// Each item of the process has a bus name of its own.
std::atomic<int> g_item_count{0};

GVariant* EmptyPixmaps() {
  return g_variant_new_array(G_VARIANT_TYPE("(iiay)"), nullptr, 0);
}

}  // namespace

StatusNotifierItem::StatusNotifierItem(GDBusConnection* connection,
                                       std::vector<TrayIconPixmap> pixmaps, std::string menu_path,
                                       Callbacks callbacks)
    : connection_(G_DBUS_CONNECTION(g_object_ref(connection))),
      pixmaps_(std::move(pixmaps)),
      menu_path_(std::move(menu_path)),
      callbacks_(std::move(callbacks)),
      bus_name_("org.kde.StatusNotifierItem-" + std::to_string(getpid()) + "-" +
                std::to_string(++g_item_count)),
      cancellable_(g_cancellable_new()) {
  node_ = g_dbus_node_info_new_for_xml(kIntrospection, nullptr);
  static const GDBusInterfaceVTable kVTable = {OnMethodCall, OnGetProperty, nullptr, {}};
  registration_id_ = g_dbus_connection_register_object(
      connection_, kObjectPath, g_dbus_node_info_lookup_interface(node_, kItemInterface), &kVTable,
      this, nullptr, nullptr);
  owner_id_ = g_bus_own_name_on_connection(connection_, bus_name_.c_str(),
                                           G_BUS_NAME_OWNER_FLAGS_DO_NOT_QUEUE, OnNameAcquired,
                                           nullptr, this, nullptr);
  // Called at once with the present state, and again whenever a watcher comes or goes:
  // a tray started after the program still gets the item.
  watch_id_ =
      g_bus_watch_name_on_connection(connection_, kWatcherName, G_BUS_NAME_WATCHER_FLAGS_NONE,
                                     OnWatcherAppeared, OnWatcherVanished, this, nullptr);
}

StatusNotifierItem::~StatusNotifierItem() {
  // Pending replies must not reach this object any more.
  g_cancellable_cancel(cancellable_);
  if (watch_id_ != 0) {
    g_bus_unwatch_name(watch_id_);
  }
  if (owner_id_ != 0) {
    g_bus_unown_name(owner_id_);
  }
  if (registration_id_ != 0) {
    g_dbus_connection_unregister_object(connection_, registration_id_);
  }
  // The bus learns at once, not whenever the connection is next flushed.
  g_dbus_connection_flush_sync(connection_, nullptr, nullptr);
  g_dbus_node_info_unref(node_);
  g_object_unref(cancellable_);
  g_object_unref(connection_);
}

void StatusNotifierItem::SetTitle(const std::string& title) {
  if (title == title_) {
    return;
  }
  title_ = title;
  Emit("NewTitle");
  Emit("NewToolTip");
}

void StatusNotifierItem::Emit(const char* signal) {
  if (registration_id_ == 0) {
    return;
  }
  g_dbus_connection_emit_signal(connection_, nullptr, kObjectPath, kItemInterface, signal, nullptr,
                                nullptr);
}

GVariant* StatusNotifierItem::PixmapsVariant() const {
  GVariantBuilder builder;
  g_variant_builder_init(&builder, G_VARIANT_TYPE("a(iiay)"));
  for (const TrayIconPixmap& p : pixmaps_) {
    GVariant* bytes = g_variant_new_fixed_array(G_VARIANT_TYPE_BYTE, p.argb.data(), p.argb.size(),
                                                sizeof(std::uint8_t));
    g_variant_builder_add(&builder, "(ii@ay)", p.width, p.height, bytes);
  }
  return g_variant_builder_end(&builder);
}

void StatusNotifierItem::OnMethodCall(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                                      const gchar* method, GVariant*,
                                      GDBusMethodInvocation* invocation, gpointer data) {
  auto* self = static_cast<StatusNotifierItem*>(data);
  const std::string name = method;
  // Answer first: the owner's action may run a nested loop (the program menu) or end
  // this object.
  g_dbus_method_invocation_return_value(invocation, nullptr);
  if (name == "Activate") {
    if (self->callbacks_.activate) {
      self->callbacks_.activate();
    }
  } else if (name == "ContextMenu") {
    if (self->callbacks_.context_menu) {
      self->callbacks_.context_menu();
    }
  }
}

GVariant* StatusNotifierItem::OnGetProperty(GDBusConnection*, const gchar*, const gchar*,
                                            const gchar*, const gchar* property, GError** error,
                                            gpointer data) {
  const auto* self = static_cast<StatusNotifierItem*>(data);
  const std::string name = property;
  if (name == "Category") {
    return g_variant_new_string("ApplicationStatus");
  }
  if (name == "Id") {
    return g_variant_new_string("orvane");
  }
  if (name == "Title") {
    return g_variant_new_string(self->title_.c_str());
  }
  if (name == "Status") {
    return g_variant_new_string("Active");
  }
  if (name == "WindowId") {
    return g_variant_new_int32(0);
  }
  if (name == "IconName" || name == "OverlayIconName" || name == "AttentionIconName" ||
      name == "AttentionMovieName") {
    return g_variant_new_string("");
  }
  if (name == "IconPixmap") {
    return self->PixmapsVariant();
  }
  if (name == "OverlayIconPixmap" || name == "AttentionIconPixmap") {
    return EmptyPixmaps();
  }
  if (name == "ToolTip") {
    return g_variant_new("(s@a(iiay)ss)", "", self->PixmapsVariant(), self->title_.c_str(), "");
  }
  if (name == "ItemIsMenu") {
    // Left click is the window toggle, not the menu.
    return g_variant_new_boolean(FALSE);
  }
  if (name == "Menu") {
    return g_variant_new_object_path(self->menu_path_.c_str());
  }
  g_set_error(error, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_PROPERTY, "no property %s", property);
  return nullptr;
}

void StatusNotifierItem::RegisterWithWatcher() {
  g_dbus_connection_call(connection_, kWatcherName, kWatcherPath, kWatcherName,
                         "RegisterStatusNotifierItem", g_variant_new("(s)", bus_name_.c_str()),
                         nullptr, G_DBUS_CALL_FLAGS_NONE, -1, cancellable_, OnRegistered, this);
}

void StatusNotifierItem::OnRegistered(GObject* source, GAsyncResult* result, gpointer) {
  // Only the outcome is looked at, never the object: the item may be gone by now.
  GError* error = nullptr;
  GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &error);
  if (reply != nullptr) {
    g_variant_unref(reply);
  }
  if (error != nullptr) {
    if (!g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED)) {
      g_warning("tray: the status notifier watcher refused the icon: %s", error->message);
    }
    g_error_free(error);
  }
}

void StatusNotifierItem::OnNameAcquired(GDBusConnection*, const gchar*, gpointer data) {
  auto* self = static_cast<StatusNotifierItem*>(data);
  self->name_owned_ = true;
  // The watcher looks the item up by this name: announce it only once the name is ours.
  if (self->watcher_present_) {
    self->RegisterWithWatcher();
  }
}

void StatusNotifierItem::OnWatcherAppeared(GDBusConnection*, const gchar*, const gchar*,
                                           gpointer data) {
  auto* self = static_cast<StatusNotifierItem*>(data);
  self->watcher_present_ = true;
  if (self->name_owned_) {
    self->RegisterWithWatcher();
  }
  if (self->callbacks_.watcher_present) {
    self->callbacks_.watcher_present(true);
  }
}

void StatusNotifierItem::OnWatcherVanished(GDBusConnection*, const gchar*, gpointer data) {
  auto* self = static_cast<StatusNotifierItem*>(data);
  self->watcher_present_ = false;
  if (self->callbacks_.watcher_present) {
    self->callbacks_.watcher_present(false);
  }
}

}  // namespace orvane::gtk
