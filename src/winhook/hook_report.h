#pragma once

#include <windows.h>

namespace orvane::win32 {

class HookRecord;

// What a hook procedure needs from the object that installed it. A record reaches its
// object only while the record is active; objects deactivate their records before they
// go away.
class IHookReport {
 public:
  // False once the receiver of the reports is gone; the window is then orphaned.
  virtual bool Callable() const noexcept = 0;
  // One report; the message fields are passed on to the previous procedure as the
  // receiver leaves them.
  virtual void Deliver(HookRecord& record, bool bBefore, bool& bHandled, LRESULT& lReturn,
                       HWND& hWnd, UINT& uMsg, WPARAM& wParam, LPARAM& lParam) noexcept = 0;

 protected:
  ~IHookReport() = default;
};

}  // namespace orvane::win32
