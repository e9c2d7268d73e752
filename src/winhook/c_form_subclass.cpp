#include "winhook/c_form_subclass.h"

#include "winhook/hook_record.h"

namespace orvane::win32 {

cFormSubclass::~cFormSubclass() {
  for (auto it = slots_.rbegin(); it != slots_.rend(); ++it) {
    if (const auto record = it->lock())
      record->DetachNow();
  }
  slots_.clear();
}

bool cFormSubclass::AddWindowMsgs(HWND hWnd) {
  DWORD error = 0;
  std::shared_ptr<HookRecord> record = HookRecord::Create(error);
  if (!record)
    return false;
  // The hook takes the window's own character form: an ANSI hook in front of a Unicode
  // window would squeeze every text message through the ANSI code page, and the
  // program's Chinese titles would arrive as question marks on most systems.
  record->Prepare(hWnd, this, IsWindowUnicode(hWnd) != FALSE, false);
  record->Before().Add(MsgTable::kAll);
  if (!record->Install(error))
    return false;

  // Reuse a free slot, looking from the last one down; else a new slot at the end.
  for (auto it = slots_.rbegin(); it != slots_.rend(); ++it) {
    if (it->expired()) {
      *it = record;
      return true;
    }
  }
  slots_.push_back(record);
  return true;
}

bool cFormSubclass::DeleteWindowMsg(HWND /*hWnd*/) noexcept {
  return false;
}

void cFormSubclass::zSubclass_Proc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& lng_hWnd,
                                   UINT& uMsg, WPARAM& wParam, LPARAM& lParam) noexcept {
  try {
    owner_.MsgCome(bBefore, bHandled, lReturn, lng_hWnd, uMsg, wParam, lParam);
  } catch (...) {
    // The message goes on as the handler left it.
  }
}

void cFormSubclass::Deliver(HookRecord& /*record*/, bool bBefore, bool& bHandled, LRESULT& lReturn,
                            HWND& hWnd, UINT& uMsg, WPARAM& wParam, LPARAM& lParam) noexcept {
  zSubclass_Proc(bBefore, bHandled, lReturn, hWnd, uMsg, wParam, lParam);
}

}  // namespace orvane::win32
