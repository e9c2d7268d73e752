#pragma once

#include <windows.h>

#include <memory>

#include "winhook/executable_thunk.h"
#include "winhook/msg_table.h"

namespace orvane::win32 {

class IHookReport;

// One hooked window: its own window procedure (a stub bound to this record), the
// previous procedure, the two message tables and the state that decides when the hook
// leaves the window and when the record may be freed.
//
// While installed the record owns itself; it is freed by a one-shot 100 ms timer that
// is started when no call through it is running any more and it is out of the window's
// procedure chain. The objects that installed records keep weak references.
class HookRecord : public std::enable_shared_from_this<HookRecord> {
 public:
  enum State : LONG {
    kActive = 0,
    kDetachRequested = 1,
    kOrphaned = 130,
    kDestroyed = 32768,
  };

  // Allocates the record and its procedure stubs. On failure returns nullptr and the
  // platform's error code in `error`.
  static std::shared_ptr<HookRecord> Create(DWORD& error);
  ~HookRecord();
  HookRecord(const HookRecord&) = delete;
  HookRecord& operator=(const HookRecord&) = delete;

  // Fills the fields an installation needs; call before Install.
  void Prepare(HWND hwnd, IHookReport* owner, bool unicode, bool destroyOnOrphan) noexcept;
  // Puts this record's procedure in front of the window's. Returns false (with the
  // platform's error code in `error`) when the window refused it.
  bool Install(DWORD& error) noexcept;
  // Stops the reports (state 1, both tables emptied). The window gets its previous
  // procedure back once no call through this record runs.
  void RequestDetach() noexcept;
  // For an owner going away: detaches, and when no call through the record runs and
  // the record heads the window's chain, restores the previous procedure and frees the
  // record now; otherwise that happens when the last call through it returns.
  void DetachNow() noexcept;

  // Calls the window's previous procedure with the character form the record uses.
  LRESULT CallPrevious(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) const noexcept;

  HWND Window() const noexcept { return hwnd_; }
  LONG State() const noexcept { return state_; }
  LONG Depth() const noexcept { return depth_; }
  bool Unicode() const noexcept { return unicode_; }
  MsgTable& Before() noexcept { return before_; }
  MsgTable& After() noexcept { return after_; }
  LPARAM& UserValue() noexcept { return lParamUser_; }
  WNDPROC Procedure() const noexcept;

  // Records allocated and not yet freed, in this process.
  static int LiveCount() noexcept;

 private:
  HookRecord() noexcept;

  // The stubs' targets: the window procedure and the release timer's procedure, with the
  // record as first argument (see ExecutableThunk for how each architecture passes it).
#if defined(_WIN64)
  static LRESULT CALLBACK HookedProc(HookRecord* self, UINT msg, WPARAM wParam,
                                     LPARAM lParam) noexcept;
  static void CALLBACK ReleaseTimerProc(HookRecord* self, UINT, UINT_PTR, DWORD) noexcept;
#else
  static LRESULT CALLBACK HookedProc(HookRecord* self, HWND hwnd, UINT msg, WPARAM wParam,
                                     LPARAM lParam) noexcept;
  static void CALLBACK ReleaseTimerProc(HookRecord* self, HWND, UINT, UINT_PTR, DWORD) noexcept;
#endif
  LRESULT Hooked(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  void ReleaseTimerExpired() noexcept;

  bool HeadsChain() const noexcept;
  void LeaveWindow() noexcept;
  void ScheduleRelease() noexcept;
  void CancelRelease() noexcept;
  void ReleaseSelf() noexcept;

  LONG depth_ = 0;
  LONG state_ = kActive;
  HWND hwnd_ = nullptr;
  IHookReport* owner_ = nullptr;
  WNDPROC previous_ = nullptr;
  MsgTable before_;
  MsgTable after_;
  LPARAM lParamUser_ = 0;
  bool destroyOnOrphan_ = false;
  bool unicode_ = false;
  // Set once the previous procedure is back (or the window is gone): from then on
  // nothing calls this record's procedure and it may be freed.
  bool left_ = false;
  UINT_PTR releaseTimer_ = 0;
  ExecutableThunk thunk_;
  std::shared_ptr<HookRecord> self_;
};

}  // namespace orvane::win32
