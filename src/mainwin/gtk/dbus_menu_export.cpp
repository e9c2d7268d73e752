#include <glib-object.h>
#include <libdbusmenu-glib/client.h>
#include <libdbusmenu-glib/menuitem.h>
#include <libdbusmenu-glib/server.h>

#include "mainwin/gtk/dbus_menu_export.h"

namespace orvane::gtk {
namespace {

// Which entry of the menu a dbusmenu item stands for.
constexpr const char* kIndexKey = "orvane-menu-index";

}  // namespace

DbusMenuExport::DbusMenuExport(std::string object_path, TrayMenu menu)
    : object_path_(std::move(object_path)), menu_(std::move(menu)) {
  root_ = dbusmenu_menuitem_new();
  for (std::size_t i = 0; i < menu_.size(); ++i) {
    const TrayMenuItem& entry = menu_[i];
    // Ids start at 1: 0 is the root's.
    DbusmenuMenuitem* item = dbusmenu_menuitem_new_with_id(static_cast<gint>(i + 1));
    if (entry.IsSeparator()) {
      dbusmenu_menuitem_property_set(item, DBUSMENU_MENUITEM_PROP_TYPE,
                                     DBUSMENU_CLIENT_TYPES_SEPARATOR);
    } else {
      dbusmenu_menuitem_property_set(item, DBUSMENU_MENUITEM_PROP_LABEL, entry.label.c_str());
      dbusmenu_menuitem_property_set_bool(item, DBUSMENU_MENUITEM_PROP_ENABLED, entry.enabled);
    }
    g_object_set_data(G_OBJECT(item), kIndexKey, GSIZE_TO_POINTER(i));
    g_signal_connect(item, DBUSMENU_MENUITEM_SIGNAL_ITEM_ACTIVATED, G_CALLBACK(OnItemActivated),
                     this);
    dbusmenu_menuitem_child_append(root_, item);
    items_.push_back(item);
  }
  server_ = dbusmenu_server_new(object_path_.c_str());
  dbusmenu_server_set_root(server_, root_);
}

DbusMenuExport::~DbusMenuExport() {
  // The server unexports when it goes; no item may call back into this object after.
  for (DbusmenuMenuitem* item : items_) {
    g_signal_handlers_disconnect_by_data(item, this);
  }
  g_object_unref(server_);
  for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
    g_object_unref(*it);
  }
  g_object_unref(root_);
}

void DbusMenuExport::OnItemActivated(DbusmenuMenuitem* item, guint, gpointer data) {
  auto* self = static_cast<DbusMenuExport*>(data);
  const auto index = GPOINTER_TO_SIZE(g_object_get_data(G_OBJECT(item), kIndexKey));
  if (index < self->menu_.size() && self->menu_[index].enabled && self->menu_[index].run) {
    self->menu_[index].run();
  }
}

}  // namespace orvane::gtk
