#include "base/win32/text_encoding.h"

#include <windows.h>

#include <climits>

namespace orvane::win32 {

namespace {

// Text longer than the system calls can count is cut at what they can.
int CountOf(std::size_t size) {
  return size > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(size);
}

std::string WideToCodePage(UINT code_page, std::wstring_view wide) {
  if (wide.empty())
    return {};
  const int length = CountOf(wide.size());
  const int needed =
      ::WideCharToMultiByte(code_page, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0)
    return {};
  std::string text(static_cast<std::size_t>(needed), '\0');
  ::WideCharToMultiByte(code_page, 0, wide.data(), length, text.data(), needed, nullptr, nullptr);
  return text;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) {
  if (utf8.empty())
    return {};
  const int length = CountOf(utf8.size());
  const int needed = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  if (needed <= 0)
    return {};
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), needed);
  return wide;
}

std::string WideToUtf8(std::wstring_view wide) {
  return WideToCodePage(CP_UTF8, wide);
}

std::string Utf8ToAnsi(std::string_view utf8) {
  return WideToCodePage(CP_ACP, Utf8ToWide(utf8));
}

}  // namespace orvane::win32
