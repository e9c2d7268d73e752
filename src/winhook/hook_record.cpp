#include "winhook/hook_record.h"

#include <utility>

#include "winhook/hook_report.h"

namespace orvane::win32 {
namespace {

int g_liveRecords = 0;

// The one-shot release delay: the record goes 100 ms after the last message that
// passed through it.
constexpr UINT kReleaseDelayMs = 100;

}  // namespace

std::shared_ptr<HookRecord> HookRecord::Create(DWORD& error) {
  std::shared_ptr<HookRecord> record(new HookRecord());
  error = record->thunk_.Create(record.get(), {reinterpret_cast<const void*>(&HookedProc),
                                               reinterpret_cast<const void*>(&ReleaseTimerProc)});
  if (error != 0)
    return nullptr;
  return record;
}

HookRecord::HookRecord() noexcept {
  ++g_liveRecords;
}

HookRecord::~HookRecord() {
  CancelRelease();
  --g_liveRecords;
}

int HookRecord::LiveCount() noexcept {
  return g_liveRecords;
}

void HookRecord::Prepare(HWND hwnd, IHookReport* owner, bool unicode,
                         bool destroyOnOrphan) noexcept {
  hwnd_ = hwnd;
  owner_ = owner;
  unicode_ = unicode;
  destroyOnOrphan_ = destroyOnOrphan;
  before_.Clear();
  after_.Clear();
}

WNDPROC HookRecord::Procedure() const noexcept {
  return reinterpret_cast<WNDPROC>(thunk_.Entry(0));
}

bool HookRecord::Install(DWORD& error) noexcept {
  const auto mine = reinterpret_cast<LONG_PTR>(Procedure());
  SetLastError(0);
  const LONG_PTR previous = unicode_ ? SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, mine)
                                     : SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, mine);
  if (previous == 0) {
    error = GetLastError();
    return false;
  }
  previous_ = reinterpret_cast<WNDPROC>(previous);
  self_ = shared_from_this();
  return true;
}

void HookRecord::RequestDetach() noexcept {
  state_ = kDetachRequested;
  before_.Clear();
  after_.Clear();
}

void HookRecord::DetachNow() noexcept {
  RequestDetach();
  if (depth_ != 0)
    return;  // the running call finishes the job when it returns
  LeaveWindow();
  if (left_) {
    CancelRelease();
    ReleaseSelf();  // may free this record; nothing below touches it
  }
}

LRESULT HookRecord::CallPrevious(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) const noexcept {
  return unicode_ ? CallWindowProcW(previous_, hwnd, msg, wParam, lParam)
                  : CallWindowProcA(previous_, hwnd, msg, wParam, lParam);
}

#if defined(_WIN64)

// The record's procedure serves its one window: the handle the stub replaced is that one.
LRESULT CALLBACK HookRecord::HookedProc(HookRecord* self, UINT msg, WPARAM wParam,
                                        LPARAM lParam) noexcept {
  return self->Hooked(self->hwnd_, msg, wParam, lParam);
}

void CALLBACK HookRecord::ReleaseTimerProc(HookRecord* self, UINT, UINT_PTR, DWORD) noexcept {
  self->ReleaseTimerExpired();
}

#else

LRESULT CALLBACK HookRecord::HookedProc(HookRecord* self, HWND hwnd, UINT msg, WPARAM wParam,
                                        LPARAM lParam) noexcept {
  return self->Hooked(hwnd, msg, wParam, lParam);
}

void CALLBACK HookRecord::ReleaseTimerProc(HookRecord* self, HWND, UINT, UINT_PTR, DWORD) noexcept {
  self->ReleaseTimerExpired();
}

#endif

LRESULT HookRecord::Hooked(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  HookRecord& r = *this;
  ++r.depth_;
  // A message through the record postpones its release.
  r.CancelRelease();
  LRESULT result = 0;
  if (r.state_ != kActive) {
    result = r.CallPrevious(hwnd, msg, wParam, lParam);
  } else if (r.owner_ == nullptr || !r.owner_->Callable()) {
    r.state_ = kOrphaned;
    result = r.CallPrevious(hwnd, msg, wParam, lParam);
  } else {
    LRESULT lReturn = 0;
    bool bHandled = false;
    HWND h = hwnd;
    UINT m = msg;
    WPARAM w = wParam;
    LPARAM l = lParam;
    if (r.before_.Contains(m))
      r.owner_->Deliver(r, true, bHandled, lReturn, h, m, w, l);
    if (!bHandled) {
      lReturn = r.CallPrevious(h, m, w, l);
      // The owner may have let go of the window (or gone away) meanwhile; its emptied
      // tables would say no anyway, but a departed owner must not even be asked.
      if (r.state_ == kActive && r.after_.Contains(m)) {
        bHandled = false;
        r.owner_->Deliver(r, false, bHandled, lReturn, h, m, w, l);
      }
    }
    result = lReturn;
  }
  --r.depth_;
  if (msg == WM_NCDESTROY)
    r.state_ = kDestroyed;
  if (r.depth_ == 0 && r.state_ != kActive)
    r.LeaveWindow();
  return result;
}

bool HookRecord::HeadsChain() const noexcept {
  const LONG_PTR current =
      unicode_ ? GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) : GetWindowLongPtrA(hwnd_, GWLP_WNDPROC);
  return current == reinterpret_cast<LONG_PTR>(Procedure());
}

void HookRecord::LeaveWindow() noexcept {
  if (!left_) {
    if (IsWindow(hwnd_) && HeadsChain()) {
      if (unicode_) {
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
      } else {
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
      }
      left_ = true;
      if (state_ == kOrphaned && destroyOnOrphan_)
        DestroyWindow(hwnd_);
    } else if (state_ == kDestroyed || !IsWindow(hwnd_)) {
      // Nothing will send the window a message any more.
      left_ = true;
    }
    // Otherwise another procedure was put in front of this one and still calls it:
    // putting ours back would cut that one out, and freeing ours would leave it calling
    // freed code. Stay as a pass-through; a later message retries.
  }
  if (left_)
    ScheduleRelease();
}

void HookRecord::ScheduleRelease() noexcept {
  if (releaseTimer_ != 0)
    return;
  releaseTimer_ =
      SetTimer(nullptr, 0, kReleaseDelayMs, reinterpret_cast<TIMERPROC>(thunk_.Entry(1)));
}

void HookRecord::CancelRelease() noexcept {
  if (releaseTimer_ != 0)
    KillTimer(nullptr, std::exchange(releaseTimer_, 0));
}

void HookRecord::ReleaseTimerExpired() noexcept {
  CancelRelease();
  // A call through the record that is still running restarts the timer when it ends.
  if (depth_ != 0 || !left_)
    return;
  ReleaseSelf();  // may free this record; nothing below touches it
}

void HookRecord::ReleaseSelf() noexcept {
  // The last owning reference may be this one: let it go as the very last step.
  std::shared_ptr<HookRecord> last = std::move(self_);
}

}  // namespace orvane::win32
