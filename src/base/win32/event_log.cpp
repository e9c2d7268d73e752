#include "base/win32/event_log.h"

#include <windows.h>

#include <memory>
#include <string>

#include "base/product.h"
#include "base/win32/text_encoding.h"

namespace orvane::win32 {
namespace {

struct EventSourceRelease {
  void operator()(HANDLE source) const noexcept { DeregisterEventSource(source); }
};
using EventSource = std::unique_ptr<void, EventSourceRelease>;

}  // namespace

ApplicationEventLog& ApplicationEventLog::Instance() noexcept {
  static ApplicationEventLog log;
  return log;
}

void ApplicationEventLog::Error(std::string_view line) noexcept {
  try {
    const std::wstring source = Utf8ToWide(kProductName);
    const std::wstring text = Utf8ToWide(line);
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
