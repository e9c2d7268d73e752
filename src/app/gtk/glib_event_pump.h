#pragma once

#include "app/event_pump.h"

namespace orvane::gtk {

// Dispatches what is waiting in the default main context (input, drawing, timers, idle
// handlers) and returns without waiting, so that a button can stop a download.
class GlibEventPump final : public EventPump {
 public:
  void ProcessPendingEvents() override;
};

}  // namespace orvane::gtk
