#include <string>
#include <string_view>

#include "widgets/win32/window_binding.h"

namespace orvane::win32 {

void EnsureWindowClass(const wchar_t* name, WNDPROC proc, LPCWSTR cursor, UINT style) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  HINSTANCE module = ::GetModuleHandleW(nullptr);
  if (::GetClassInfoExW(module, name, &existing)) {
    return;
  }
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = module;
  wc.hCursor = cursor ? ::LoadCursorW(nullptr, cursor) : nullptr;
  wc.lpszClassName = name;
  ::RegisterClassExW(&wc);
}

std::wstring Wide(std::string_view utf8) {
  if (utf8.empty()) {
    return {};
  }
  const int length =
      ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        length);
  return wide;
}

}  // namespace orvane::win32
