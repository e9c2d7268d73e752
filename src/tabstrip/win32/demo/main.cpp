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

std::wstring Widen(const std::string& text) {
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n > 0 ? n - 1 : 0), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), n);
  return wide;
}

// A page: a coloured window that names itself.
class DemoPage final : public orvane::ITabForm {
 public:
  DemoPage(const std::string& title, COLORREF colour)
      : title_(Widen(title)), brush_(::CreateSolidBrush(colour)) {
    window_ = ::CreateWindowExW(0, kPageClass, L"Form1", WS_OVERLAPPEDWINDOW, 100, 100, 606, 417,
                                nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
  }
  ~DemoPage() override {
    Unload();
    ::DeleteObject(brush_);
  }
  WindowHandle hWnd() const override { return reinterpret_cast<WindowHandle>(window_); }
  void Initialize(IuTab*, std::weak_ptr<CTabItem> item) override { item_ = std::move(item); }
  void RefreshPage() override { ::InvalidateRect(window_, nullptr, TRUE); }
  void Unload() noexcept override {
    if (window_) {
      HWND window = window_;
      window_ = nullptr;
      ::DestroyWindow(window);
    }
  }

  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
      ::SetWindowLongPtrW(
          hwnd, GWLP_USERDATA,
          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    }
    auto* page = reinterpret_cast<DemoPage*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (page && msg == WM_PAINT) {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(hwnd, &ps);
      RECT r;
      ::GetClientRect(hwnd, &r);
      ::FillRect(dc, &r, page->brush_);
      ::SetBkMode(dc, TRANSPARENT);
      ::DrawTextW(dc, page->title_.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      ::EndPaint(hwnd, &ps);
      return 0;
    }
    if (page && msg == WM_SIZE) {
      ::InvalidateRect(hwnd, nullptr, TRUE);
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  }

 private:
  std::wstring title_;
  HBRUSH brush_;
  HWND window_ = nullptr;
  std::weak_ptr<CTabItem> item_;
};

// The form that hosts the strip, reacting to its events as the main window does.
class DemoForm final : public orvane::IuTabEvents {
 public:
  DemoForm() {
    form_ =
        ::CreateWindowExW(0, kFormClass, L"Orvane tab strip", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                          40, 40, 900, 520, nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
    container_ =
        ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 4, 36, 860,
                          420, form_, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    strip_ = std::make_unique<orvane::win32::uTabWindow>(form_, orvane::Rect{4, 4, 860, 32});
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
    ::ShowWindow(form_, SW_SHOWNORMAL);
  }
  ~DemoForm() { strip_.reset(); }

  void Layout() {
    RECT r;
    ::GetClientRect(form_, &r);
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

  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
      ::SetWindowLongPtrW(
          hwnd, GWLP_USERDATA,
          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    }
    auto* form = reinterpret_cast<DemoForm*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (form && msg == WM_SIZE && form->container_) {
      form->Layout();
    }
    if (msg == WM_TIMER) {
      ::DestroyWindow(hwnd);
      return 0;
    }
    if (msg == WM_DESTROY) {
      ::PostQuitMessage(0);
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  }

  HWND Handle() const { return form_; }

 private:
  HWND form_ = nullptr;
  HWND container_ = nullptr;
  std::unique_ptr<orvane::win32::uTabWindow> strip_;
};

void RegisterClasses() {
  WNDCLASSW page{};
  page.lpfnWndProc = DemoPage::Proc;
  page.hInstance = ::GetModuleHandleW(nullptr);
  page.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  page.lpszClassName = kPageClass;
  ::RegisterClassW(&page);
  WNDCLASSW form = page;
  form.lpfnWndProc = DemoForm::Proc;
  form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  form.lpszClassName = kFormClass;
  ::RegisterClassW(&form);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RegisterClasses();
  DemoForm form;
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  for (int i = 1; argv && i + 1 < argc; ++i) {
    if (std::wcscmp(argv[i], L"--quit-after") == 0) {
      ::SetTimer(form.Handle(), 1, static_cast<UINT>(std::wcstoul(argv[i + 1], nullptr, 10)),
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
