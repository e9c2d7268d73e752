#pragma once

#include "app/event_pump.h"

namespace orvane::win32 {

// Dispatches the messages waiting for this thread and returns without waiting, so that
// windows stay responsive and a button can stop a download. A quit request is left in
// the queue for the message loop that owns it.
class Win32EventPump final : public EventPump {
 public:
  void ProcessPendingEvents() override;
};

}  // namespace orvane::win32
