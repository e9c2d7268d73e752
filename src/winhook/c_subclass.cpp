#include "winhook/c_subclass.h"

#include <string>

#include "winhook/hook_record.h"

namespace orvane::win32 {
namespace {

constexpr char kSubclassRoutine[] = "ssc_Subclass";
constexpr char kAddMsgRoutine[] = "zAddMsg";
constexpr char kMapRoutine[] = "zMap_VFunction";

}  // namespace

CSubclass::CSubclass(ISubclassOwner& owner, IEventLog& log) : owner_(&owner), log_(log) {
  // The user-interface library has had the mouse-tracking call for a long time; the
  // common-controls one is the fallback for systems where it has not.
  mouseTrackingLibrary_.reset(LoadLibraryW(L"User32"));
  if (mouseTrackingLibrary_) {
    trackMouseEvent_ = reinterpret_cast<TrackMouseEventFn>(
        reinterpret_cast<void*>(GetProcAddress(mouseTrackingLibrary_.get(), "TrackMouseEvent")));
  }
  if (trackMouseEvent_ == nullptr) {
    mouseTrackingLibrary_.reset(LoadLibraryW(L"comctl32"));
    if (mouseTrackingLibrary_) {
      trackMouseEvent_ = reinterpret_cast<TrackMouseEventFn>(
          reinterpret_cast<void*>(GetProcAddress(mouseTrackingLibrary_.get(), "_TrackMouseEvent")));
    }
  }
}

CSubclass::~CSubclass() {
  ssc_Terminate();
}

void CSubclass::Report(const char* routine, const char* message) noexcept {
  try {
    std::string line = "CSubclass.";
    line += routine;
    line += ": ";
    line += message;
    log_.Error(line);
  } catch (...) {
    // An error line that cannot be built is dropped.
  }
}

bool CSubclass::ssc_Subclass(HWND lng_hWnd, LPARAM lParamUser, int nOrdinal, bool /*bIdeSafety*/,
                             bool* bUnicode, bool bIsAPIwindow) {
  if (!IsWindow(lng_hWnd)) {
    Report(kSubclassRoutine, "Invalid window handle");
    return false;
  }
  DWORD process = 0;
  GetWindowThreadProcessId(lng_hWnd, &process);
  if (process != GetCurrentProcessId()) {
    Report(kSubclassRoutine, "Window handle belongs to another process");
    return false;
  }
  // Ordinal 1 names the owner's WindowProc, the one receiver there is.
  if (nOrdinal != 1 || owner_ == nullptr) {
    Report(kSubclassRoutine, "Callback method not found");
    return false;
  }
  DWORD error = 0;
  std::shared_ptr<HookRecord> record = HookRecord::Create(error);
  if (!record) {
    Report(kSubclassRoutine, ("VirtualAlloc failed, error: " + std::to_string(error)).c_str());
    return false;
  }

  if (!registry_)
    registry_.emplace();
  for (auto it = registry_->begin(); it != registry_->end(); ++it) {
    if (it->hwnd != lng_hWnd)
      continue;
    const std::shared_ptr<HookRecord> existing = it->record.lock();
    if (existing && existing->State() != HookRecord::kDestroyed) {
      Report(kSubclassRoutine, "Window handle is already subclassed");
      return false;
    }
    // The window this entry was made for is gone; its handle now names a new window.
    registry_->erase(it);
    break;
  }
  registry_->push_back(Entry{lng_hWnd, record});

  bool wide = false;
  if (bUnicode != nullptr) {
    wide = *bUnicode && IsWindowUnicode(lng_hWnd) != FALSE;
    *bUnicode = wide;
  }
  record->Prepare(lng_hWnd, this, wide, bIsAPIwindow);
  record->UserValue() = lParamUser;
  if (!record->Install(error)) {
    Report(kSubclassRoutine, ("SetWindowLong failed, error #" + std::to_string(error)).c_str());
    registry_->pop_back();
    return false;
  }
  return true;
}

std::shared_ptr<HookRecord> CSubclass::zMap_VFunction(HWND lng_hWnd, bool silentIfMissing) {
  if (!registry_) {
    Report(kMapRoutine, "Thunk hasn't been initialized");
    return nullptr;
  }
  if (registry_->empty())
    return nullptr;
  for (const Entry& entry : *registry_) {
    if (entry.hwnd == lng_hWnd)
      return entry.record.lock();
  }
  if (!silentIfMissing)
    Report(kMapRoutine, "Thunk type for  does not exist");
  return nullptr;
}

void CSubclass::ssc_UnSubclass(HWND lng_hWnd) {
  if (const auto record = zMap_VFunction(lng_hWnd, true))
    record->RequestDetach();
  if (!registry_)
    return;
  std::erase_if(*registry_, [&](const Entry& e) { return e.hwnd == lng_hWnd; });
}

void CSubclass::ssc_Terminate() {
  if (!registry_)
    return;
  for (auto it = registry_->rbegin(); it != registry_->rend(); ++it) {
    if (const auto record = it->record.lock())
      record->RequestDetach();
  }
  registry_.reset();
}

LRESULT CSubclass::ssc_CallOrigWndProc(HWND lng_hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  const auto record = zMap_VFunction(lng_hWnd);
  if (!record)
    return 0;
  return record->CallPrevious(lng_hWnd, uMsg, wParam, lParam);
}

void CSubclass::ssc_AddMsg(HWND lng_hWnd, UINT uMsg, int When) {
  const auto record = zMap_VFunction(lng_hWnd);
  if (!record)
    return;
  // Each selected table on its own: a full before-table does not stop the after-table.
  for (MsgTable* table : {(When & WHEN_BEFORE) ? &record->Before() : nullptr,
                          (When & WHEN_AFTER) ? &record->After() : nullptr}) {
    if (table != nullptr && table->Add(uMsg) == MsgTable::AddResult::kOverflow) {
      Report(kAddMsgRoutine,
             "Message table overflow. Either increase the value of Const MSG_ENTRIES or use "
             "ALL_MESSAGES instead of specific message values");
    }
  }
}

void CSubclass::zDelMsg(HWND lng_hWnd, int When, std::span<const UINT> messages) {
  const auto record = zMap_VFunction(lng_hWnd);
  if (!record)
    return;
  for (const UINT m : messages) {
    if (When & WHEN_BEFORE)
      record->Before().Delete(m);
    if (When & WHEN_AFTER)
      record->After().Delete(m);
  }
}

void CSubclass::zSet_lParamUser(HWND lng_hWnd, LPARAM NewValue) {
  if (const auto record = zMap_VFunction(lng_hWnd))
    record->UserValue() = NewValue;
}

LPARAM CSubclass::zGet_lParamUser(HWND lng_hWnd) {
  const auto record = zMap_VFunction(lng_hWnd);
  return record ? record->UserValue() : 0;
}

void CSubclass::TrackMouseTracking(HWND lng_hWnd) {
  if (trackMouseEvent_ == nullptr)
    return;
  TRACKMOUSEEVENT request{};
  request.cbSize = sizeof(request);  // 16 bytes
  request.dwFlags = TME_LEAVE;
  request.hwndTrack = lng_hWnd;
  request.dwHoverTime = 0;
  trackMouseEvent_(&request);
}

void CSubclass::Deliver(HookRecord& record, bool bBefore, bool& bHandled, LRESULT& lReturn,
                        HWND& hWnd, UINT& uMsg, WPARAM& wParam, LPARAM& lParam) noexcept {
  ISubclassOwner* const owner = owner_;
  if (owner == nullptr)
    return;
  try {
    // The message itself goes to the owner by value; only the answer and the user value
    // come back.
    owner->WindowProc(bBefore, bHandled, lReturn, hWnd, uMsg, wParam, lParam, record.UserValue());
  } catch (...) {
    // The window's message goes on as the owner left it.
  }
}

}  // namespace orvane::win32
