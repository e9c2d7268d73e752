// Real windows, a recording event log and a recording owner for the hook tests.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "base/win32/event_log.h"
#include "winhook/c_form_subclass.h"
#include "winhook/c_subclass.h"
#include "winhook/hook_record.h"

namespace orvane::win32::hooktest {

// Messages the test window's own procedure answers in a recognisable way.
inline constexpr UINT kEcho = WM_APP + 1;  // returns wParam * 2 + 1
inline constexpr UINT kSizeResult = 77;    // what the window's own WM_SIZE handling returns

class RecordingLog final : public IEventLog {
 public:
  void Error(std::string_view line) noexcept override { lines.emplace_back(line); }
  std::vector<std::string> lines;
};

// What the test window's own procedure has seen.
struct WindowTrace {
  std::map<UINT, int> count;
  std::map<UINT, WPARAM> lastWParam;
  std::wstring lastText;
  int Seen(UINT msg) const {
    auto it = count.find(msg);
    return it == count.end() ? 0 : it->second;
  }
};

inline LRESULT CALLBACK TestWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* trace = reinterpret_cast<WindowTrace*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (trace != nullptr) {
    ++trace->count[msg];
    trace->lastWParam[msg] = wParam;
  }
  switch (msg) {
    case kEcho:
      return static_cast<LRESULT>(wParam * 2 + 1);
    case WM_SIZE:
      return kSizeResult;
    case WM_SETTEXT:
      if (trace != nullptr)
        trace->lastText = reinterpret_cast<const wchar_t*>(lParam);
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// A hidden top-level Unicode window with TestWindowProc as its own procedure.
class TestWindow {
 public:
  TestWindow() {
    static const ATOM atom = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = TestWindowProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"OrvaneHookTestWindow";
      return RegisterClassW(&wc);
    }();
    (void)atom;
    trace_ = std::make_unique<WindowTrace>();
    hwnd_ = CreateWindowExW(0, L"OrvaneHookTestWindow", L"hook test", WS_OVERLAPPEDWINDOW, 10, 10,
                            200, 150, nullptr, nullptr, GetModuleHandleW(nullptr), trace_.get());
  }
  ~TestWindow() {
    if (IsWindow(hwnd_))
      DestroyWindow(hwnd_);
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  WindowTrace& trace() { return *trace_; }
  WNDPROC Procedure() const {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd_, GWLP_WNDPROC));
  }

 private:
  std::unique_ptr<WindowTrace> trace_;
  HWND hwnd_ = nullptr;
};

struct Report {
  bool before;
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
  LRESULT lReturn;  // as the owner received it
  LPARAM user;      // as the owner received it
};

// Records every WindowProc report; `onReport` may act on it.
class RecordingOwner final : public ISubclassOwner {
 public:
  void WindowProc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND lng_hWnd, UINT uMsg,
                  WPARAM wParam, LPARAM lParam, LPARAM& lParamUser) override {
    reports.push_back({bBefore, lng_hWnd, uMsg, wParam, lParam, lReturn, lParamUser});
    if (onReport)
      onReport(bBefore, bHandled, lReturn, lng_hWnd, uMsg, wParam, lParam, lParamUser);
  }
  int Count(UINT msg, bool before) const {
    int n = 0;
    for (const Report& r : reports)
      n += (r.msg == msg && r.before == before) ? 1 : 0;
    return n;
  }
  std::vector<Report> reports;
  std::function<void(bool, bool&, LRESULT&, HWND, UINT, WPARAM, LPARAM, LPARAM&)> onReport;
};

// Dispatches this thread's messages (timers included) until `done` holds or a generous
// deadline passes; returns whether `done` held.
inline bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 5000) {
  const ULONGLONG end = GetTickCount64() + limitMs;
  for (;;) {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    if (done())
      return true;
    if (GetTickCount64() >= end)
      return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

// Waits until every hook record has been freed.
inline bool AllRecordsReleased() {
  return PumpUntil([] { return HookRecord::LiveCount() == 0; });
}

}  // namespace orvane::win32::hooktest

namespace orvane::win32::hooktest {

// Counts hook records relative to what was alive before the test, after letting any
// release still pending from earlier tests run out.
class HookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PumpUntil([] { return HookRecord::LiveCount() == 0; }, 1000);
    baseline_ = HookRecord::LiveCount();
  }
  int Live() const { return HookRecord::LiveCount() - baseline_; }
  bool Released() {
    return PumpUntil([this] { return Live() == 0; });
  }

 private:
  int baseline_ = 0;
};

}  // namespace orvane::win32::hooktest
