#include "browser/win32/shell_system_browser.h"

#include <windows.h>
#include <shellapi.h>

#include "base/win32/text_encoding.h"

namespace orvane::win32 {

void ShellSystemBrowser::Open(const std::string& address) {
  // The shell's answer is not examined: a failed open shows nothing.
  ::ShellExecuteW(nullptr, L"open", Utf8ToWide(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace orvane::win32
