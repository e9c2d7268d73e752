#include "app/win32/win32_message_boxes.h"

#include <string>

#include "base/win32/text_encoding.h"

namespace orvane::win32 {

UINT MessageBoxStyle(const MessageBoxRequest& request) {
  UINT icon = MB_ICONQUESTION;
  if (request.icon == MessageIcon::kWarning) {
    icon = MB_ICONWARNING;
  } else if (request.icon == MessageIcon::kInformation) {
    icon = MB_ICONINFORMATION;
  }
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
