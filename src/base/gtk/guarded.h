#pragma once

#include <glib.h>

#include <exception>

namespace orvane::gtk {

// Runs a control's reaction to a native event; a failure stops at the signal handler
// (GTK cannot carry it further) and is reported on the program's warning channel.
template <typename F>
void Guarded(const char* where, F&& reaction) noexcept {
  try {
    reaction();
  } catch (const std::exception& e) {
    g_warning("%s: %s", where, e.what());
  } catch (...) {
    g_warning("%s: failed", where);
  }
}

}  // namespace orvane::gtk
