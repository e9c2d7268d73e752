#pragma once

#include <gtk/gtk.h>

namespace orvane::gtk {

// Takes `page` into `container`, hidden. In a GtkOverlay the page is laid over the whole
// container (it fills it, and follows its size); any other container simply gets it as a
// child.
void HostPageWidget(GtkWidget* container, GtkWidget* page);
// Shows `page` over the other pages of `container`.
void FitPageWidget(GtkWidget* container, GtkWidget* page);

}  // namespace orvane::gtk
