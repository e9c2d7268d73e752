#include "tabstrip/gtk/page_hosting_gtk.h"

#include "base/gtk/cairo_handles.h"

namespace orvane::gtk {

void HostPageWidget(GtkWidget* container, GtkWidget* page) {
  if (!GTK_IS_CONTAINER(container) || gtk_widget_is_toplevel(page)) {
    return;
  }
  GtkWidget* parent = gtk_widget_get_parent(page);
  if (parent != container) {
    // The page outlives its move from one container to the other.
    const UniqueGObject<GtkWidget> keep(GTK_WIDGET(g_object_ref(page)));
    if (parent) {
      gtk_container_remove(GTK_CONTAINER(parent), page);
      // A top-level window that only held the page has no more use.
      if (GTK_IS_WINDOW(parent) && !gtk_bin_get_child(GTK_BIN(parent))) {
        gtk_widget_destroy(parent);
      }
    }
    gtk_widget_set_halign(page, GTK_ALIGN_FILL);
    gtk_widget_set_valign(page, GTK_ALIGN_FILL);
    if (GTK_IS_OVERLAY(container)) {
      gtk_overlay_add_overlay(GTK_OVERLAY(container), page);
    } else {
      gtk_container_add(GTK_CONTAINER(container), page);
    }
  }
  gtk_widget_hide(page);
}

void FitPageWidget(GtkWidget* container, GtkWidget* page) {
  if (gtk_widget_get_parent(page) != container) {
    return;
  }
  if (GTK_IS_OVERLAY(container)) {
    gtk_overlay_reorder_overlay(GTK_OVERLAY(container), page, -1);
  }
  gtk_widget_show(page);
}

}  // namespace orvane::gtk
