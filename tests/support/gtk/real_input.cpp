#include "support/gtk/real_input.h"

#include <cstdio>

#include <cstdlib>

#include <gtest/gtest.h>

namespace orvane::gtk::test_input {

void Pump() {
  while (gtk_events_pending()) {
    gtk_main_iteration();
  }
}

void Xdotool(const std::string& args) {
  ASSERT_EQ(std::system(("xdotool " + args).c_str()), 0) << args;
}

Colour PixelAt(GdkWindow* window, int x, int y) {
  GdkPixbuf* pixbuf = gdk_pixbuf_get_from_window(window, x, y, 1, 1);
  if (pixbuf == nullptr) {
    return kInvalidColour;
  }
  const guchar* p = gdk_pixbuf_get_pixels(pixbuf);
  const Colour c = Rgb(p[0], p[1], p[2]);
  g_object_unref(pixbuf);
  return c;
}

std::string CommandOutput(const std::string& command) {
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof(buffer), pipe) != nullptr) {
      out += buffer;
    }
    ::pclose(pipe);
  }
  return out;
}

}  // namespace orvane::gtk::test_input
