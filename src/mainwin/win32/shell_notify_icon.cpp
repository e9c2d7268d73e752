#include "mainwin/win32/shell_notify_icon.h"

#include <windows.h>
#include <shellapi.h>

#include "base/win32/text_encoding.h"

namespace orvane::win32 {
namespace {

// The record carries handles in 32 bits: it is the layout of the 32-bit program.
static_assert(sizeof(HWND) == 4 && sizeof(HICON) == 4,
              "the 488-byte notification-icon record belongs to the 32-bit program");

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
      record_.Number(notify_icon_field::kSize) != kNotifyIconRecordSize) {
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
