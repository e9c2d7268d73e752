#pragma once
// The program menu exported over com.canonical.dbusmenu (libdbusmenu-glib) for trays that
// draw an item's menu themselves. A tray's "clicked" event on an item runs that item.

#include <string>
#include <vector>

#include "mainwin/tray_menu.h"

typedef struct _DbusmenuServer DbusmenuServer;
typedef struct _DbusmenuMenuitem DbusmenuMenuitem;

namespace orvane::gtk {

class DbusMenuExport {
 public:
  // Exports on the session bus at `object_path`.
  DbusMenuExport(std::string object_path, TrayMenu menu);
  ~DbusMenuExport();
  DbusMenuExport(const DbusMenuExport&) = delete;
  DbusMenuExport& operator=(const DbusMenuExport&) = delete;

  const std::string& ObjectPath() const { return object_path_; }

 private:
  static void OnItemActivated(DbusmenuMenuitem* item, guint timestamp, gpointer self);

  std::string object_path_;
  TrayMenu menu_;
  DbusmenuServer* server_ = nullptr;
  DbusmenuMenuitem* root_ = nullptr;
  std::vector<DbusmenuMenuitem*> items_;
};

}  // namespace orvane::gtk
