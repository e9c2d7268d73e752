#include "mainwin/gtk/xembed_status_icon.h"

#include <gtk/gtk.h>

namespace orvane::gtk {
namespace {

GdkPixbuf* PixbufOf(const TrayIconPixmap& picture) {
  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, picture.width, picture.height);
  if (pixbuf == nullptr) {
    return nullptr;
  }
  guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
  const int stride = gdk_pixbuf_get_rowstride(pixbuf);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const std::uint8_t* argb =
          &picture.argb[static_cast<std::size_t>((y * picture.width + x) * 4)];
      guchar* rgba = pixels + y * stride + x * 4;
      rgba[0] = argb[1];
      rgba[1] = argb[2];
      rgba[2] = argb[3];
      rgba[3] = argb[0];
    }
  }
  return pixbuf;
}

}  // namespace

// GTK's status icon is the one XEmbed tray client GTK 3 has; it is marked deprecated
// because newer desktops use StatusNotifierItems, which this program prefers.
G_GNUC_BEGIN_IGNORE_DEPRECATIONS

XEmbedStatusIcon::XEmbedStatusIcon(const TrayIconPixmap& picture, const std::string& title,
                                   Callbacks callbacks)
    : callbacks_(std::move(callbacks)) {
  GdkPixbuf* pixbuf = PixbufOf(picture);
  icon_ = pixbuf != nullptr ? gtk_status_icon_new_from_pixbuf(pixbuf) : gtk_status_icon_new();
  if (pixbuf != nullptr) {
    g_object_unref(pixbuf);
  }
  gtk_status_icon_set_name(icon_, "orvane");
  SetTitle(title);
  g_signal_connect(icon_, "activate", G_CALLBACK(OnActivate), this);
  g_signal_connect(icon_, "popup-menu", G_CALLBACK(OnPopupMenu), this);
  gtk_status_icon_set_visible(icon_, TRUE);
}

XEmbedStatusIcon::~XEmbedStatusIcon() {
  g_signal_handlers_disconnect_by_data(icon_, this);
  // Hiding takes the icon out of the tray at once, whoever else still holds a reference.
  gtk_status_icon_set_visible(icon_, FALSE);
  g_object_unref(icon_);
}

void XEmbedStatusIcon::SetTitle(const std::string& title) {
  gtk_status_icon_set_title(icon_, title.c_str());
  gtk_status_icon_set_tooltip_text(icon_, title.c_str());
}

bool XEmbedStatusIcon::Embedded() const {
  return gtk_status_icon_is_embedded(icon_) != FALSE;
}

G_GNUC_END_IGNORE_DEPRECATIONS

void XEmbedStatusIcon::OnActivate(GtkStatusIcon*, void* data) {
  auto* self = static_cast<XEmbedStatusIcon*>(data);
  if (self->callbacks_.left_click) {
    self->callbacks_.left_click();
  }
}

void XEmbedStatusIcon::OnPopupMenu(GtkStatusIcon*, unsigned, unsigned, void* data) {
  auto* self = static_cast<XEmbedStatusIcon*>(data);
  if (self->callbacks_.right_click) {
    self->callbacks_.right_click();
  }
}

}  // namespace orvane::gtk
