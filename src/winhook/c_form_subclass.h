#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "winhook/hook_report.h"

namespace orvane::win32 {

class HookRecord;

// Receives every message of the windows a cFormSubclass hooks, before their procedure.
class IFormSubclassOwner {
 public:
  // bBefore is always true in this use. Set bHandled to answer the message with
  // lReturn (the window's procedure then never sees it); otherwise the message goes on
  // with the fields as the handler left them. Exceptions are swallowed.
  virtual void MsgCome(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& lng_hWnd, UINT& uMsg,
                       WPARAM& wParam, LPARAM& lParam) = 0;

 protected:
  ~IFormSubclassOwner() = default;
};

// The form hook: every message of a hooked window is reported to the owner before the
// window's previous procedure. Windows stay hooked until the object is destroyed; a
// hook procedure that is running at that moment is freed only after it has returned.
// The hook uses the window's own character form (wide for a Unicode window).
class cFormSubclass final : private IHookReport {
 public:
  explicit cFormSubclass(IFormSubclassOwner& owner) noexcept : owner_(owner) {}
  // Unhooks every window, last hooked first.
  ~cFormSubclass();
  cFormSubclass(const cFormSubclass&) = delete;
  cFormSubclass& operator=(const cFormSubclass&) = delete;

  // Hooks the window with every message reported. A second call for the same window
  // puts a second hook in front of the first. False only when the hook could not be
  // installed (no executable memory, or the window refused the new procedure).
  bool AddWindowMsgs(HWND hWnd);
  // Has no effect; the window stays hooked until the object is destroyed.
  bool DeleteWindowMsg(HWND hWnd) noexcept;
  // Raises MsgCome; the entry through which the hook procedures report.
  void zSubclass_Proc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& lng_hWnd, UINT& uMsg,
                      WPARAM& wParam, LPARAM& lParam) noexcept;

 private:
  // IHookReport
  bool Callable() const noexcept override { return true; }
  void Deliver(HookRecord& record, bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& hWnd,
               UINT& uMsg, WPARAM& wParam, LPARAM& lParam) noexcept override;

  IFormSubclassOwner& owner_;
  // Slot i holds the record of one hooked window; an expired slot is free.
  std::vector<std::weak_ptr<HookRecord>> slots_;
};

}  // namespace orvane::win32
