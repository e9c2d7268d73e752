#include "updater/win32/updater_window.h"

#include <commctrl.h>

#include <string>

#include "base/product.h"
#include "base/resource_ids.h"
#include "updater/win32/wide_text.h"

namespace orvane::win32 {
namespace {

constexpr wchar_t kClassName[] = L"OrvaneUpdaterWindow";
constexpr int kClientWidth = 380;
constexpr int kClientHeight = 120;
constexpr int kMargin = 14;
constexpr int kProgressRange = 1000;

// Automated runs name a file in ORVANE_UPDATER_MESSAGE_LOG to receive the messages as
// lines instead of in boxes, where a box would wait for nobody. It only changes where a
// message goes, never what the updater decides. Only an absolute path (a drive's or a
// network share's) of a plain file on disk is used, never a link, a pipe or a device;
// false when the whole line could not be written there.
bool AppendToMessageLog(std::string_view text) {
  wchar_t path[MAX_PATH];
  const DWORD length = ::GetEnvironmentVariableW(L"ORVANE_UPDATER_MESSAGE_LOG", path, MAX_PATH);
  if (length < 3 || length >= MAX_PATH) {
    return false;
  }
  const bool drive = path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
  const bool share = path[0] == L'\\' && path[1] == L'\\' && path[2] != L'.' && path[2] != L'?';
  if (!drive && !share) {
    return false;
  }
  const UniqueFile log(
      ::CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!log || ::GetFileType(log.get()) != FILE_TYPE_DISK ||
      !::GetFileInformationByHandle(log.get(), &info) ||
      (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    return false;
  }
  std::string line(text);
  line += '\n';
  DWORD written = 0;
  return ::WriteFile(log.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
         written == line.size();
}

}  // namespace

void ShowUpdaterMessage(HWND owner, std::string_view text) {
  // A message that cannot go to the log is shown: none is ever lost.
  if (AppendToMessageLog(text)) {
    return;
  }
  ::MessageBoxW(owner, Wide(text).c_str(), Wide(kClientTitle).c_str(), MB_OK | MB_ICONERROR);
}

UpdaterWindow::UpdaterWindow(HINSTANCE instance, std::function<void()> on_cancel)
    : on_cancel_(std::move(on_cancel)) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
  ::InitCommonControlsEx(&controls);
  icon_.reset(static_cast<HICON>(
      ::LoadImageW(instance, MAKEINTRESOURCEW(ORVANE_ICON_APPLICATION), IMAGE_ICON, 32, 32, 0)));
  small_icon_.reset(static_cast<HICON>(
      ::LoadImageW(instance, MAKEINTRESOURCEW(ORVANE_ICON_APPLICATION), IMAGE_ICON, 16, 16, 0)));
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    font_.reset(::CreateFontIndirectW(&metrics.lfMessageFont));
  }

  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = Procedure;
  window_class.hInstance = instance;
  window_class.hIcon = icon_.get();
  window_class.hIconSm = small_icon_.get();
  window_class.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = kClassName;
  ::RegisterClassExW(&window_class);

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, kClientWidth, kClientHeight};
  ::AdjustWindowRectEx(&frame, style, FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  window_.reset(::CreateWindowExW(0, kClassName, Wide(kClientTitle).c_str(), style,
                                  (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                  (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                                  nullptr, nullptr, instance, this));
  if (!window_) {
    return;
  }
  const int inner = kClientWidth - 2 * kMargin;
  status_ = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, kMargin,
                              kMargin, inner, 20, window_.get(), nullptr, instance, nullptr);
  progress_ = ::CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, kMargin,
                                kMargin + 28, inner, 18, window_.get(), nullptr, instance, nullptr);
  ::SendMessageW(progress_, PBM_SETRANGE32, 0, kProgressRange);
  cancel_ =
      ::CreateWindowExW(0, L"BUTTON", L"取消", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                        kClientWidth - kMargin - 88, kClientHeight - kMargin - 26, 88, 26,
                        window_.get(), reinterpret_cast<HMENU>(IDCANCEL), instance, nullptr);
  for (HWND child : {status_, progress_, cancel_}) {
    ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  }
}

void UpdaterWindow::Show() {
  ::ShowWindow(window_.get(), SW_SHOWNORMAL);
  ::UpdateWindow(window_.get());
  ::SetFocus(cancel_);
}

void UpdaterWindow::SetStatus(std::string_view text) {
  ::SetWindowTextW(status_, Wide(text).c_str());
}

void UpdaterWindow::SetProgress(std::int64_t done, std::int64_t total) {
  std::int64_t position = total > 0 ? done * kProgressRange / total : 0;
  position = position < 0 ? 0 : (position > kProgressRange ? kProgressRange : position);
  ::SendMessageW(progress_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void UpdaterWindow::EnableCancel(bool enabled) {
  ::EnableWindow(cancel_, enabled ? TRUE : FALSE);
}

void UpdaterWindow::ShowError(std::string_view text) {
  ShowUpdaterMessage(window_.get(), text);
}

LRESULT CALLBACK UpdaterWindow::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) noexcept {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(l);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<UpdaterWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) {
    return ::DefWindowProcW(window, message, w, l);
  }
  try {
    if (message == WM_NCDESTROY) {
      ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
    const LRESULT result = self->Handle(message, w, l);
    return result == -1 ? ::DefWindowProcW(window, message, w, l) : result;
  } catch (...) {
    return 0;
  }
}

LRESULT UpdaterWindow::Handle(UINT message, WPARAM w, LPARAM) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(w) == IDCANCEL) {
        on_cancel_();
        return 0;
      }
      break;
    case WM_CLOSE:
      on_cancel_();
      return 0;
    default:
      break;
  }
  return -1;
}

}  // namespace orvane::win32
