#include "app/win32/win32_platform.h"
#include "base/win32/text_encoding.h"

#include <shellapi.h>
#include <wininet.h>

#include <utility>

#include "login/page_commands.h"

namespace orvane::win32 {
namespace {

constexpr wchar_t kLoopClass[] = L"OrvaneDeferredCalls";
constexpr UINT kRunPosted = WM_APP + 1;

bool ShellExecuteOpen(const std::wstring& file, const std::wstring& parameters) {
  const HINSTANCE result =
      ::ShellExecuteW(nullptr, L"open", file.c_str(),
                      parameters.empty() ? nullptr : parameters.c_str(), nullptr, SW_SHOWNORMAL);
  // Values above 32 mean the program or document was started.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace

bool WinInetConnectivity::IsConnected() {
  DWORD flags = 0;
  return ::InternetGetConnectedState(&flags, 0) != FALSE;
}

bool ShellAddressLauncher::OpenAddress(const std::string& address) {
  if (!IsGameAddress(address)) {
    return false;
  }
  return ShellExecuteOpen(Utf8ToWide(address), L"");
}

bool ShellProgramLauncher::ShellOpen(const std::string& file, const std::string& parameters) {
  // The file lies in the temporary folder, whose path comes in the ANSI code page.
  const int n = ::MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, nullptr, 0);
  if (n <= 1) {
    return false;
  }
  std::wstring wide_file(static_cast<std::size_t>(n - 1), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide_file.data(), n);
  return ShellExecuteOpen(wide_file, Utf8ToWide(parameters));
}

Win32ProgramLoop::Win32ProgramLoop() {
  CreateBoundWindow(kLoopClass, 0, nullptr, 0, 0, Rect{}, HWND_MESSAGE, nullptr);
}

Win32ProgramLoop::~Win32ProgramLoop() {
  // Calls still waiting would reach a client that is gone: they go with the window.
  posted_.clear();
  DestroyBoundWindow();
}

int Win32ProgramLoop::Run() {
  MSG msg{};
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}

void Win32ProgramLoop::Quit(int exit_code) {
  ::PostQuitMessage(exit_code);
}

void Win32ProgramLoop::Post(std::function<void()> call) {
  posted_.push_back(std::move(call));
  if (!post_pending_ && hWnd() != nullptr) {
    post_pending_ = ::PostMessageW(hWnd(), kRunPosted, 0, 0) != FALSE;
  }
}

LRESULT Win32ProgramLoop::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kRunPosted) {
    post_pending_ = false;
    std::deque<std::function<void()>> calls;
    calls.swap(posted_);
    for (auto& call : calls) {
      call();
    }
    return 0;
  }
  return Default(msg, wp, lp);
}

}  // namespace orvane::win32
