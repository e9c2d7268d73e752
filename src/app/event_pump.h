#pragma once

namespace orvane {

// Lets the user-interface thread handle the events waiting for it (input, painting,
// timers) and returns, so that a long task on that thread keeps the windows alive.
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void ProcessPendingEvents() = 0;
};

}  // namespace orvane
