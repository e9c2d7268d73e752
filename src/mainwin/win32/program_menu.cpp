#include "mainwin/win32/program_menu.h"

#include "base/win32/text_encoding.h"
#include "base/win32/unique_handle.h"

namespace orvane::win32 {
namespace {

// Item identifiers are positions plus one: TrackPopupMenu answers 0 for "nothing chosen".
constexpr UINT kFirstItemId = 1;

}  // namespace

int TrackProgramMenu(HWND owner, const TrayMenu& menu) {
  UniqueMenu popup(::CreatePopupMenu());
  if (!popup) {
    return -1;
  }
  for (std::size_t i = 0; i < menu.size(); ++i) {
    const TrayMenuItem& item = menu[i];
    if (item.IsSeparator()) {
      ::AppendMenuW(popup.get(), MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const std::wstring label = Utf8ToWide(item.label);
    ::AppendMenuW(popup.get(), MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED),
                  kFirstItemId + static_cast<UINT>(i), label.c_str());
  }
  POINT at{};
  ::GetCursorPos(&at);
  // A pop-up menu of a window in the background (the tray's case) closes only when its
  // window is in front; the empty message afterwards lets the menu close on the next
  // click elsewhere.
  ::SetForegroundWindow(owner);
  const UINT chosen = static_cast<UINT>(
      ::TrackPopupMenu(popup.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_RIGHTBUTTON,
                       at.x, at.y, 0, owner, nullptr));
  ::PostMessageW(owner, WM_NULL, 0, 0);
  if (chosen < kFirstItemId || chosen - kFirstItemId >= menu.size()) {
    return -1;
  }
  return static_cast<int>(chosen - kFirstItemId);
}

}  // namespace orvane::win32
