#pragma once
// Real input and read-back for tests on live Win32 windows: the message pump, waiting
// for a condition while messages flow, pointer and button input through SendInput, and
// a window's pixel as shown.
#include <windows.h>

#include "base/colour.h"

namespace orvane::win32::test_input {

void Pump();

// Pumps messages until `done()` holds, for up to about three seconds.
template <typename Done>
bool WaitUntil(Done done) {
  for (int i = 0; i < 600; ++i) {
    Pump();
    if (done()) {
      return true;
    }
    ::Sleep(5);
  }
  return false;
}

Colour PixelOf(HWND window, int x, int y);
void MouseTo(int x, int y);
void MouseButton(DWORD flags);

}  // namespace orvane::win32::test_input
