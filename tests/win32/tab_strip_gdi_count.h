#pragma once

#include <windows.h>

namespace orvane::testing {

// The number of GDI objects this process holds. Windows counts them itself; Wine answers
// GetGuiResources with 0 but resolves a handle from its 16-bit table index alone, so
// there the live objects are counted by asking every index for its object type.
inline DWORD GdiObjectCount() {
  const DWORD counted = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  if (counted != 0) {
    return counted;
  }
  DWORD live = 0;
  for (ULONG_PTR index = 1; index < 0x10000; ++index) {
    if (::GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) {
      ++live;
    }
  }
  return live;
}

// Runs the message loop until `done` holds, for at most `limit_ms`; the test then checks
// `done` itself. Some reports of the platform come from its timers.
template <class Done>
void PumpUntil(Done done, DWORD limit_ms = 10000) {
  const DWORD start = ::GetTickCount();
  while (!done() && ::GetTickCount() - start < limit_ms) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
}

}  // namespace orvane::testing
