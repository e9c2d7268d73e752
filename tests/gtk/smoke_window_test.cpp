// A real GTK window under Xvfb: realized, mapped, sized and destroyed.
#include <gtk/gtk.h>

#include <gtest/gtest.h>

namespace {

TEST(SmokeWindow, MapsARealWindowOnTheDisplay) {
  ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display";
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_default_size(GTK_WINDOW(window), 300, 200);
  gtk_widget_show_all(window);
  while (gtk_events_pending()) {
    gtk_main_iteration();
  }
  EXPECT_TRUE(gtk_widget_get_realized(window));
  EXPECT_TRUE(gtk_widget_get_mapped(window));
  GdkWindow* gdk_window = gtk_widget_get_window(window);
  ASSERT_NE(gdk_window, nullptr);
  EXPECT_EQ(gdk_window_get_width(gdk_window), 300);
  EXPECT_EQ(gdk_window_get_height(gdk_window), 200);
  gtk_widget_destroy(window);
  while (gtk_events_pending()) {
    gtk_main_iteration();
  }
}

}  // namespace
