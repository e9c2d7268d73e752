#include "mainwin/win32/shell_notify_icon.h"

#include <windows.h>
#include <shellapi.h>

#include <cstddef>

#include "base/win32/text_encoding.h"

namespace orvane::win32 {
namespace {

// The record's layout is the platform's shell version 5 record of this architecture:
// 488 bytes with 4-byte handles in the 32-bit program, 504 bytes with 8-byte handles in
// the 64-bit build.
constexpr const NotifyIconLayout& kLayout = PlatformNotifyIconRecord::kLayout;
#if defined(_WIN64)
static_assert(sizeof(HWND) == 8 && kLayout.record_size == 504,
              "the 64-bit build hands the shell the 504-byte record");
#else
static_assert(sizeof(HWND) == 4 && kLayout.record_size == kNotifyIconRecordSize,
              "the 32-bit program hands the shell the 488-byte record");
#endif
static_assert(kLayout.record_size == NOTIFYICONDATAA_V2_SIZE);
static_assert(kLayout.window.offset == offsetof(NOTIFYICONDATAA, hWnd) &&
              kLayout.window.size == sizeof(HWND));
static_assert(kLayout.id.offset == offsetof(NOTIFYICONDATAA, uID));
static_assert(kLayout.flags.offset == offsetof(NOTIFYICONDATAA, uFlags));
static_assert(kLayout.callback_message.offset == offsetof(NOTIFYICONDATAA, uCallbackMessage));
static_assert(kLayout.icon.offset == offsetof(NOTIFYICONDATAA, hIcon) &&
              kLayout.icon.size == sizeof(HICON));
static_assert(kLayout.tip.offset == offsetof(NOTIFYICONDATAA, szTip));
static_assert(kLayout.state.offset == offsetof(NOTIFYICONDATAA, dwState));
static_assert(kLayout.info.offset == offsetof(NOTIFYICONDATAA, szInfo));
static_assert(kLayout.timeout.offset == offsetof(NOTIFYICONDATAA, uTimeout));
static_assert(kLayout.info_title.offset == offsetof(NOTIFYICONDATAA, szInfoTitle));
static_assert(kLayout.info_flags.offset == offsetof(NOTIFYICONDATAA, dwInfoFlags));

bool IsAnsiLeadByte(std::uint8_t byte) {
  return ::IsDBCSLeadByte(byte) != FALSE;
}

DWORD ShellMessage(NotifyIconCommand command) {
  switch (command) {
    case NotifyIconCommand::kAdd:
      return NIM_ADD;
    case NotifyIconCommand::kModify:
      return NIM_MODIFY;
    case NotifyIconCommand::kDelete:
      break;
  }
  return NIM_DELETE;
}

}  // namespace

void ShellNotifyIcon::Notify(NotifyIconCommand command, const NotifyIconState& state) {
  // A delete names the icon by the window and identifier the record already holds; a
  // record never filled names no icon and is not worth a call.
  if (command == NotifyIconCommand::kDelete &&
      record_.Number(kLayout.size) != kLayout.record_size) {
    last_result_ = false;
    return;
  }
  if (command != NotifyIconCommand::kDelete) {
    record_.SetIcon(state.window, state.icon, state.callback_message, Utf8ToAnsi(state.tip),
                    IsAnsiLeadByte);
    if (state.info_title.empty() && state.info.empty()) {
      record_.ClearBalloon();
    } else {
      record_.SetBalloon(Utf8ToAnsi(state.info_title), Utf8ToAnsi(state.info), state.info_flags,
                         IsAnsiLeadByte);
    }
  }
  last_result_ = ::Shell_NotifyIconA(ShellMessage(command),
                                     reinterpret_cast<PNOTIFYICONDATAA>(record_.data())) != FALSE;
}

}  // namespace orvane::win32
