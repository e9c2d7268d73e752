#include "app/win32/win32_message_boxes.h"

#include <string>

#include "base/win32/text_encoding.h"

namespace orvane::win32 {

UINT MessageBoxStyle(const MessageBoxRequest& request) {
  const UINT icon = request.icon == MessageIcon::kWarning ? MB_ICONWARNING : MB_ICONQUESTION;
  const UINT buttons = request.buttons == MessageButtons::kOk ? MB_OK : MB_YESNO;
  return icon | buttons;
}

MessageAnswer Win32MessageBoxes::ShowMessageBox(const MessageBoxRequest& request) {
  const std::wstring text = Utf8ToWide(request.text);
  const std::wstring title = Utf8ToWide(request.title);
  const int chosen = ::MessageBoxW(owner_, text.c_str(), title.c_str(), MessageBoxStyle(request));
  if (request.buttons == MessageButtons::kOk) {
    return MessageAnswer::kOk;
  }
  // A Yes/No box that could not be shown, or was closed otherwise, counts as No.
  return chosen == IDYES ? MessageAnswer::kYes : MessageAnswer::kNo;
}

}  // namespace orvane::win32
