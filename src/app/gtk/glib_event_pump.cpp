#include "app/gtk/glib_event_pump.h"

#include <glib.h>

namespace orvane::gtk {
namespace {

// An idle handler that keeps itself installed is always pending; stop after this many
// dispatches so that the download still moves on.
constexpr int kMaxDispatches = 1000;

}  // namespace

void GlibEventPump::ProcessPendingEvents() {
  for (int i = 0; i < kMaxDispatches; ++i) {
    if (!g_main_context_iteration(nullptr, FALSE)) {
      break;
    }
  }
}

}  // namespace orvane::gtk
