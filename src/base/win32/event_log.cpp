#include "base/win32/event_log.h"

#include <windows.h>

#include <memory>
#include <string>

#include "base/product.h"

namespace orvane::win32 {
namespace {

struct EventSourceRelease {
  void operator()(HANDLE source) const noexcept { DeregisterEventSource(source); }
};
using EventSource = std::unique_ptr<void, EventSourceRelease>;

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty())
    return {};
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) {
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  }
  return wide;
}

}  // namespace

ApplicationEventLog& ApplicationEventLog::Instance() noexcept {
  static ApplicationEventLog log;
  return log;
}

void ApplicationEventLog::Error(std::string_view line) noexcept {
  try {
    const std::wstring source = Widen(kProductName);
    const std::wstring text = Widen(line);
    EventSource handle(RegisterEventSourceW(nullptr, source.c_str()));
    if (!handle)
      return;
    const wchar_t* strings[] = {text.c_str()};
    ReportEventW(handle.get(), EVENTLOG_ERROR_TYPE, 0, 0, nullptr, 1, 0, strings, nullptr);
  } catch (...) {
    // Logging must never take the caller down.
  }
}

}  // namespace orvane::win32
