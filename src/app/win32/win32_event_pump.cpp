#include "app/win32/win32_event_pump.h"

#include <windows.h>

namespace orvane::win32 {
namespace {

// A window that keeps posting itself messages must not hold the download up for ever.
constexpr int kMaxMessages = 1000;

}  // namespace

void Win32EventPump::ProcessPendingEvents() {
  MSG message{};
  for (int i = 0; i < kMaxMessages && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

}  // namespace orvane::win32
