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

// The number of USER objects (windows, menus) this process holds. Windows counts them
// itself; Wine answers GetGuiResources with 0 here too, but takes a window or menu handle by
// its table index alone, so there the windows of this process and the menus it can reach
// are counted by asking every index (user handles are even indices from 0x20).
inline DWORD UserObjectCount() {
  const DWORD counted = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
  if (counted != 0) {
    return counted;
  }
  const DWORD self = ::GetCurrentProcessId();
  DWORD live = 0;
  for (ULONG_PTR index = 0x20; index < 0x10000; index += 2) {
    const HANDLE handle = reinterpret_cast<HANDLE>(index);
    DWORD owner = 0;
    if (::IsWindow(static_cast<HWND>(handle)) &&
        ::GetWindowThreadProcessId(static_cast<HWND>(handle), &owner) != 0 && owner == self) {
      ++live;
    } else if (::IsMenu(static_cast<HMENU>(handle))) {
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
