#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <type_traits>
#include <vector>

#include "base/win32/event_log.h"
#include "base/win32/unique_handle.h"
#include "winhook/hook_report.h"

namespace orvane::win32 {

class HookRecord;

// Capacity of one message table of a hooked window.
inline constexpr int MSG_ENTRIES = 32;
// As a message value: every message.
inline constexpr UINT ALL_MESSAGES = static_cast<UINT>(-1);
// The `When` selector: a bit set choosing the before-table, the after-table or both.
inline constexpr int WHEN_BEFORE = 1;
inline constexpr int WHEN_AFTER = 2;
inline constexpr int WHEN_BOTH = WHEN_BEFORE | WHEN_AFTER;

// Receives the messages of the windows a CSubclass object hooks.
class ISubclassOwner {
 public:
  // bBefore: true before the window's previous procedure runs, false after it.
  // Before: set bHandled to answer the message with lReturn; the previous procedure
  // and the after-report are then skipped. After: lReturn holds the previous
  // procedure's result and may be changed. A change of lParamUser is kept for the
  // window. Exceptions are swallowed at the window procedure.
  virtual void WindowProc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND lng_hWnd, UINT uMsg,
                          WPARAM wParam, LPARAM lParam, LPARAM& lParamUser) = 0;

 protected:
  ~ISubclassOwner() = default;
};

// Puts a procedure of its own in front of windows of this process and reports their
// messages to the owner, per window filtered by a before-table and an after-table.
// Each hooked window gets its own procedure bound to its record, so a message never
// needs a lookup by handle. Failures become one error line each in the event log;
// nothing is thrown. UI thread only; a message loop must run for unhooked records to
// be freed (100 ms after the last message passed through them).
class CSubclass final : private IHookReport {
 public:
  explicit CSubclass(ISubclassOwner& owner, IEventLog& log = ApplicationEventLog::Instance());
  // Runs ssc_Terminate.
  ~CSubclass();
  CSubclass(const CSubclass&) = delete;
  CSubclass& operator=(const CSubclass&) = delete;

  // Hooks the window. nOrdinal must be 1 (the owner's WindowProc). bIdeSafety has no
  // effect. bUnicode: when given and true on entry, the wide-character procedure
  // functions are requested; on return it tells whether they are used (only for a
  // Unicode window). bIsAPIwindow: destroy the window should the owner go away
  // (SetOwner(nullptr)) while it is hooked. Returns true when the window is hooked.
  bool ssc_Subclass(HWND lng_hWnd, LPARAM lParamUser = 0, int nOrdinal = 1, bool bIdeSafety = true,
                    bool* bUnicode = nullptr, bool bIsAPIwindow = false);
  // Stops the reports at once; the window gets its previous procedure back at its
  // next message. A window this object does not hook is ignored.
  void ssc_UnSubclass(HWND lng_hWnd);
  // Unhooks every window of this object and forgets them.
  void ssc_Terminate();
  // Calls the window's previous procedure directly; 0 when the window is not hooked.
  LRESULT ssc_CallOrigWndProc(HWND lng_hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
  // Adds uMsg (or ALL_MESSAGES) to the tables selected by When.
  void ssc_AddMsg(HWND lng_hWnd, UINT uMsg, int When);
  // Removes each message (or ALL_MESSAGES) from the selected tables. Arguments that
  // are not 8-, 16- or 32-bit integers are skipped.
  template <class... Msg>
  void ssc_DelMsg(HWND lng_hWnd, int When, Msg... Messages);
  void zSet_lParamUser(HWND lng_hWnd, LPARAM NewValue);
  LPARAM zGet_lParamUser(HWND lng_hWnd);
  // Asks for one WM_MOUSELEAVE for the window.
  void TrackMouseTracking(HWND lng_hWnd);

  // Replaces the receiver of the reports. With nullptr the owner counts as gone: each
  // hooked window falls back to its previous procedure at its next message (and is
  // destroyed if it was hooked with bIsAPIwindow).
  void SetOwner(ISubclassOwner* owner) noexcept { owner_ = owner; }

 private:
  struct Entry {
    HWND hwnd;
    std::weak_ptr<HookRecord> record;
  };
  using TrackMouseEventFn = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);

  void zDelMsg(HWND lng_hWnd, int When, std::span<const UINT> messages);
  std::shared_ptr<HookRecord> zMap_VFunction(HWND lng_hWnd, bool silentIfMissing = false);
  void Report(const char* routine, const char* message) noexcept;

  // IHookReport
  bool Callable() const noexcept override { return owner_ != nullptr; }
  void Deliver(HookRecord& record, bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& hWnd,
               UINT& uMsg, WPARAM& wParam, LPARAM& lParam) noexcept override;

  ISubclassOwner* owner_;
  IEventLog& log_;
  // Absent until the first window is hooked, and again after ssc_Terminate.
  std::optional<std::vector<Entry>> registry_;
  UniqueModule mouseTrackingLibrary_;
  TrackMouseEventFn trackMouseEvent_ = nullptr;
};

template <class... Msg>
void CSubclass::ssc_DelMsg(HWND lng_hWnd, int When, Msg... Messages) {
  UINT kept[sizeof...(Msg) + 1] = {};
  std::size_t n = 0;
  auto keep = [&](auto m) {
    using T = std::remove_cvref_t<decltype(m)>;
    if constexpr (std::is_integral_v<T> && !std::is_same_v<T, bool> && sizeof(T) <= 4) {
      kept[n++] = static_cast<UINT>(m);
    }
  };
  (keep(Messages), ...);
  zDelMsg(lng_hWnd, When, std::span<const UINT>(kept, n));
}

}  // namespace orvane::win32
