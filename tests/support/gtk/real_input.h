#pragma once
// Real input and read-back for tests on live GTK widgets under X: the main-loop pump,
// waiting for a condition while events flow, xdotool input, and a window's pixel.
#include <gtk/gtk.h>

#include <string>

#include "base/colour.h"

namespace orvane::gtk::test_input {

void Pump();

// Lets the display and the main loop catch up until `done` holds (gives up after a few
// seconds; the caller's checks then fail).
template <typename Done>
bool WaitUntil(Done done) {
  for (int i = 0; i < 600; ++i) {
    Pump();
    if (done()) {
      return true;
    }
    g_usleep(5000);
  }
  return false;
}

// What a shell command prints on its standard output ("" when it cannot be run).
std::string CommandOutput(const std::string& command);

// Runs xdotool with `args`; a failure fails the running test.
void Xdotool(const std::string& args);
Colour PixelAt(GdkWindow* window, int x, int y);

}  // namespace orvane::gtk::test_input
