#pragma once
// Real windows for the strip's tests: a form with a page container, page windows that
// unload by destroying themselves, and a recorder of the strip's events.

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "base/property_bag.h"
#include "tabstrip/tab_form.h"
#include "tabstrip/tab_item.h"
#include "tabstrip/utab_events.h"
#include "tabstrip/win32/utab_window.h"

namespace orvane::testing {

inline void PumpMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

inline LRESULT CALLBACK PlainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

inline const wchar_t* PlainClass() {
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"OrvaneTabStripTestWindow";
    return ::RegisterClassW(&wc) != 0;
  }();
  return registered ? L"OrvaneTabStripTestWindow" : nullptr;
}

// A page as the browser page is: a top-level window of its own until the strip takes it.
class WindowPage : public ITabForm {
 public:
  static constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

  WindowPage()
      : window_(::CreateWindowExW(0, PlainClass(), L"Form1", kStyle, 50, 60, 606, 417, nullptr,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr)) {}
  ~WindowPage() override { Unload(); }

  WindowHandle hWnd() const override { return win32::FromHwnd(window_); }
  void Initialize(IuTab* Implement, std::weak_ptr<CTabItem> Item) override {
    implement = Implement;
    item = std::move(Item);
  }
  void RefreshPage() override { ++refreshes; }
  void Unload() noexcept override {
    if (window_ && ::IsWindow(window_)) {
      ::DestroyWindow(window_);
    }
    window_ = nullptr;
    unloaded = true;
  }
  HWND Handle() const { return window_; }

  IuTab* implement = nullptr;
  std::weak_ptr<CTabItem> item;
  int refreshes = 0;
  bool unloaded = false;

 private:
  HWND window_;
};

class EventRecorder : public IuTabEvents {
 public:
  void TabChanged() override { log.push_back("TabChanged"); }
  void OnDblClick(std::int32_t i, std::int16_t&, std::int16_t&, float&, float&) override {
    log.push_back("OnDblClick " + std::to_string(i));
  }
  void OnMouseDown(std::int32_t i, std::int16_t& b, std::int16_t& s, float&, float&) override {
    log.push_back("OnMouseDown " + std::to_string(i) + " b" + std::to_string(b) + " s" +
                  std::to_string(s));
  }
  void OnMouseHover(std::int32_t i, std::int16_t&, std::int16_t&, float&, float&) override {
    log.push_back("OnMouseHover " + std::to_string(i));
  }
  void OnMouseUp(std::int32_t i, std::int16_t& b, std::int16_t&, float&, float&) override {
    log.push_back("OnMouseUp " + std::to_string(i) + " b" + std::to_string(b));
  }
  void OnMouseLeave() override { log.push_back("OnMouseLeave"); }
  void OnItemColose(std::int32_t i, bool& cancel) override {
    log.push_back("OnItemColose " + std::to_string(i));
    cancel = refuse_close;
  }
  bool refuse_close = false;
  std::vector<std::string> log;
};

// A form 1100 x 640 with the strip at the top and a page container below it, set up as
// the main window sets up its strip: round tabs, left margin 10, drawing unlocked.
class StripForm {
 public:
  StripForm()
      : form_(::CreateWindowExW(0, PlainClass(), L"strip form",
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 1100, 640,
                                nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr)),
        container_(::CreateWindowExW(0, PlainClass(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                     4, 40, 1000, 500, form_, nullptr, ::GetModuleHandleW(nullptr),
                                     nullptr)),
        strip_(std::make_unique<win32::uTabWindow>(form_, Rect{4, 4, 1000, 20})) {
    PropertyBag bag;
    bag.Write("TabStyle", std::int64_t{1});
    bag.Write("TabLeftSize", std::int64_t{10});
    strip_->ReadProperties(bag);
    strip_->SetEvents(&events);
    strip_->SethContainerWnd(container_);
    strip_->Strip().LockReDraw(false);
    // The settings show at the next own resize, as when the form first lays itself out.
    strip_->Move(Rect{4, 4, 1000, 20});
    PumpMessages();
  }
  ~StripForm() {
    strip_.reset();
    ::DestroyWindow(form_);
    PumpMessages();
  }

  std::shared_ptr<WindowPage> AddPage(const std::string& caption) {
    auto page = std::make_shared<WindowPage>();
    pages.push_back(page);
    strip_->TabItems().Add(caption, page, "Game" + caption);
    PumpMessages();
    return page;
  }
  win32::uTabWindow& strip() { return *strip_; }
  void DestroyStrip() { strip_.reset(); }
  HWND form() const { return form_; }
  HWND container() const { return container_; }
  HWND hwnd() const { return strip_->hWnd(); }

  LRESULT Send(UINT msg, WPARAM wp, int x, int y) {
    const LRESULT r = ::SendMessageW(hwnd(), msg, wp, MAKELPARAM(x, y));
    PumpMessages();
    return r;
  }

  EventRecorder events;
  std::vector<std::shared_ptr<WindowPage>> pages;

 private:
  HWND form_;
  HWND container_;
  std::unique_ptr<win32::uTabWindow> strip_;
};

inline SIZE ClientSize(HWND window) {
  RECT r{};
  ::GetClientRect(window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

inline RECT RectInParent(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace orvane::testing
