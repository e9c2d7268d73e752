#pragma once

#include <windows.h>

#include "app/message_box.h"

namespace orvane::win32 {

// The client's notices and questions as the system's own message boxes (MessageBoxW):
// its texts in UTF-16, the warning or question icon, OK or Yes and No.
class Win32MessageBoxes final : public MessageBoxes {
 public:
  // `owner` is the window the box belongs to; none while no window of the client exists.
  explicit Win32MessageBoxes(HWND owner = nullptr) : owner_(owner) {}
  void Owner(HWND owner) { owner_ = owner; }

  MessageAnswer ShowMessageBox(const MessageBoxRequest& request) override;

 private:
  HWND owner_;
};

// The MessageBoxW style of a request.
UINT MessageBoxStyle(const MessageBoxRequest& request);

}  // namespace orvane::win32
