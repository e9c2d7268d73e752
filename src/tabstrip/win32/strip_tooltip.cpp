#include "tabstrip/win32/strip_tooltip.h"

#include <commctrl.h>

#include <vector>

#include "base/win32/text_encoding.h"

namespace orvane::win32 {
namespace {

TTTOOLINFOW ToolFor(HWND window, wchar_t* text) {
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = window;
  tool.uId = reinterpret_cast<UINT_PTR>(window);
  tool.lpszText = text;
  return tool;
}

}  // namespace

StripTooltip::StripTooltip(HWND window) : window_(window) {
  INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&init);
  tooltip_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr));
  if (tooltip_) {
    wchar_t empty[] = L"";
    TTTOOLINFOW tool = ToolFor(window_, empty);
    ::SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void StripTooltip::SetText(const std::string& text) {
  text_ = text;
  if (!tooltip_) {
    return;
  }
  std::wstring wide = Utf8ToWide(text);
  std::vector<wchar_t> buffer(wide.begin(), wide.end());
  buffer.push_back(L'\0');
  TTTOOLINFOW tool = ToolFor(window_, buffer.data());
  ::SendMessageW(tooltip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void StripTooltip::Relay(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!tooltip_) {
    return;
  }
  MSG msg{};
  msg.hwnd = window;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  ::SendMessageW(tooltip_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

}  // namespace orvane::win32
