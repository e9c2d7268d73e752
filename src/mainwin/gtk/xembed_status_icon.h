#pragma once
// The tray icon for older trays (the XEmbed system tray protocol), through GTK's status
// icon, used while no StatusNotifierWatcher is on the session bus.

#include <functional>
#include <string>

#include "mainwin/tray_icon_pixmaps.h"

typedef struct _GtkStatusIcon GtkStatusIcon;

namespace orvane::gtk {

class XEmbedStatusIcon {
 public:
  struct Callbacks {
    std::function<void()> left_click;
    std::function<void()> right_click;
  };

  // `picture` is the largest of the program's tray pictures; the tray scales it.
  XEmbedStatusIcon(const TrayIconPixmap& picture, const std::string& title, Callbacks callbacks);
  ~XEmbedStatusIcon();
  XEmbedStatusIcon(const XEmbedStatusIcon&) = delete;
  XEmbedStatusIcon& operator=(const XEmbedStatusIcon&) = delete;

  void SetTitle(const std::string& title);
  // Whether a tray has taken the icon in.
  bool Embedded() const;
  GtkStatusIcon* Native() const { return icon_; }

 private:
  static void OnActivate(GtkStatusIcon*, void* self);
  static void OnPopupMenu(GtkStatusIcon*, unsigned button, unsigned time, void* self);

  Callbacks callbacks_;
  GtkStatusIcon* icon_ = nullptr;
};

}  // namespace orvane::gtk
