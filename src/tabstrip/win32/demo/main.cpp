// A window with the tab strip hosting a few plain pages. Hover a tab for its tooltip,
// click to select, use the close boxes; the last tab refuses to close.
// "--quit-after <ms>" ends the program by itself (for unattended screenshots).
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <cwchar>
#include <memory>
#include <string>

#include "base/property_bag.h"
#include "base/win32/system_cursors.h"
#include "base/win32/text_encoding.h"
#include "base/win32/window_base.h"
#include "tabstrip/tab_form.h"
#include "tabstrip/tab_item.h"
#include "tabstrip/utab_events.h"
#include "tabstrip/win32/utab_window.h"

namespace {

using orvane::CTabItem;
using orvane::IuTab;
using orvane::WindowHandle;

constexpr wchar_t kPageClass[] = L"OrvaneDemoPage";
constexpr wchar_t kFormClass[] = L"OrvaneDemoForm";

// A page's window: coloured, naming itself.
class PageWindow final : public orvane::win32::BoundWindow {
 public:
  PageWindow(const std::string& title, COLORREF colour)
      : title_(orvane::win32::Utf8ToWide(title)), brush_(::CreateSolidBrush(colour)) {
    CreateBoundWindow(kPageClass, 0, orvane::win32::kCursorArrow, 0, WS_OVERLAPPEDWINDOW,
                      orvane::Rect{100, 100, 606, 417}, nullptr, nullptr, L"Form1");
  }
  ~PageWindow() { DestroyBoundWindow(); }

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_PAINT) {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(hWnd(), &ps);
      RECT r;
      ::GetClientRect(hWnd(), &r);
      ::FillRect(dc, &r, brush_.get());
      ::SetBkMode(dc, TRANSPARENT);
      ::DrawTextW(dc, title_.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      ::EndPaint(hWnd(), &ps);
      return 0;
    }
    if (msg == WM_SIZE) {
      ::InvalidateRect(hWnd(), nullptr, TRUE);
    }
    return Default(msg, wp, lp);
  }

  std::wstring title_;
  orvane::win32::UniqueBrush brush_;
};

// A page of the strip: its window goes when the page is unloaded.
class DemoPage final : public orvane::ITabForm {
 public:
  DemoPage(const std::string& title, COLORREF colour)
      : window_(std::make_unique<PageWindow>(title, colour)) {}
  ~DemoPage() override { Unload(); }
  WindowHandle hWnd() const override {
    return window_ ? reinterpret_cast<WindowHandle>(window_->hWnd()) : 0;
  }
  void Initialize(IuTab*, std::weak_ptr<CTabItem> item) override { item_ = std::move(item); }
  void RefreshPage() override {
    if (window_) {
      ::InvalidateRect(window_->hWnd(), nullptr, TRUE);
    }
  }
  void Unload() noexcept override { window_.reset(); }

 private:
  std::unique_ptr<PageWindow> window_;
  std::weak_ptr<CTabItem> item_;
};

// The form that hosts the strip, reacting to its events as the main window does.
class DemoForm final : public orvane::win32::BoundWindow, public orvane::IuTabEvents {
 public:
  DemoForm() {
    CreateBoundWindow(kFormClass, 0, orvane::win32::kCursorArrow, 0,
                      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, orvane::Rect{40, 40, 900, 520},
                      nullptr, nullptr, L"Orvane tab strip");
    container_ =
        ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 4, 36, 860,
                          420, hWnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    strip_ = std::make_unique<orvane::win32::uTabWindow>(hWnd(), orvane::Rect{4, 4, 860, 32});
    orvane::PropertyBag bag;
    bag.Write("TabStyle", std::int64_t{1});
    bag.Write("TabLeftSize", std::int64_t{10});
    strip_->ReadProperties(bag);
    strip_->SetEvents(this);
    strip_->SethContainerWnd(container_);
    strip_->Strip().LockReDraw(false);
    Layout();

    const struct {
      const char* caption;
      COLORREF colour;
    } pages[] = {{"mirab 一区", RGB(250, 232, 200)},
                 {"mirab 二区", RGB(214, 236, 250)},
                 {"Orvane客户端", RGB(220, 246, 214)},
                 {"A rather long caption that does not fit", RGB(246, 220, 240)}};
    for (const auto& p : pages) {
      strip_->TabItems().Add(p.caption, std::make_shared<DemoPage>(p.caption, p.colour),
                             std::string("Game") + p.caption);
    }
    strip_->TabItems().SetSelected(1);
    ::ShowWindow(hWnd(), SW_SHOWNORMAL);
  }
  ~DemoForm() {
    strip_.reset();
    DestroyBoundWindow();
  }

  void Layout() {
    RECT r;
    ::GetClientRect(hWnd(), &r);
    if (strip_) {
      strip_->Move(orvane::Rect{4, 4, r.right - 8, 32});
    }
    const int top = 4 + (strip_ ? strip_->Strip().StripHeight() : 32);
    ::MoveWindow(container_, 4, top, r.right - 8, r.bottom - top - 4, TRUE);
  }

  void OnMouseHover(std::int32_t index, std::int16_t&, std::int16_t&, float&, float&) override {
    auto& items = strip_->TabItems();
    strip_->SetToolTipText(index >= 0 && index < items.Count() ? items.Item(index)->Caption() : "");
  }
  void OnItemColose(std::int32_t, bool& cancel) override {
    cancel = strip_->TabItems().Count() <= 1;
  }

  HWND Form() const { return hWnd(); }

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_ERASEBKGND: {
        RECT all{};
        ::GetClientRect(hWnd(), &all);
        ::FillRect(reinterpret_cast<HDC>(wp), &all, ::GetSysColorBrush(COLOR_BTNFACE));
        return 1;
      }
      case WM_SIZE:
        if (container_) {
          Layout();
        }
        break;
      case WM_TIMER:
        DestroyBoundWindow();
        ::PostQuitMessage(0);
        return 0;
      case WM_DESTROY:
        ::PostQuitMessage(0);
        break;
      default:
        break;
    }
    return Default(msg, wp, lp);
  }

  HWND container_ = nullptr;
  std::unique_ptr<orvane::win32::uTabWindow> strip_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  DemoForm form;
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  for (int i = 1; argv && i + 1 < argc; ++i) {
    if (std::wcscmp(argv[i], L"--quit-after") == 0) {
      ::SetTimer(form.Form(), 1, static_cast<UINT>(std::wcstoul(argv[i + 1], nullptr, 10)),
                 nullptr);
    }
  }
  ::LocalFree(argv);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
