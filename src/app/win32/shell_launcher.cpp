#include "app/win32/shell_launcher.h"

#include <windows.h>
#include <shellapi.h>

#include "base/win32/text_encoding.h"

namespace orvane::win32 {

bool ShellLauncher::ShellOpen(const std::string& file, const std::string& parameters) {
  const std::wstring wide_file = Utf8ToWide(file);
  const std::wstring wide_parameters = Utf8ToWide(parameters);
  const auto result = reinterpret_cast<INT_PTR>(::ShellExecuteW(
      nullptr, L"open", wide_file.c_str(), wide_parameters.c_str(), nullptr, SW_SHOWNORMAL));
  // ShellExecute reports success as a value above 32.
  return result > 32;
}

}  // namespace orvane::win32
