#pragma once
// The Windows tray: the 488-byte record handed to Shell_NotifyIconA (504 bytes in the
// 64-bit build). The record is written by its own builder rather than through the
// compiler's NOTIFYICONDATAA, which is larger in current headers and would announce a
// different layout to the shell.

#include "mainwin/notify_icon.h"
#include "mainwin/notify_icon_record.h"

namespace orvane::win32 {

// The record of the architecture the program is built for.
#if defined(_WIN64)
using PlatformNotifyIconRecord = NotifyIconRecord64;
#else
using PlatformNotifyIconRecord = NotifyIconRecord;
#endif

class ShellNotifyIcon final : public NotifyIconHost {
 public:
  void Notify(NotifyIconCommand command, const NotifyIconState& state) override;

  // The record as the last request passed it to the shell.
  const PlatformNotifyIconRecord& Record() const { return record_; }
  // What the shell answered to the last request. The program itself ignores it; the
  // tests read it.
  bool LastResult() const { return last_result_; }

 private:
  PlatformNotifyIconRecord record_;
  bool last_result_ = false;
};

}  // namespace orvane::win32
