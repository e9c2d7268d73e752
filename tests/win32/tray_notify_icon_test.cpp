// The tray icon under Wine: the 488-byte record (504 bytes in the 64-bit build) accepted by
// Shell_NotifyIconA for add, modify (tip and balloons) and delete, the icon gone with the object,
// and the tray callback message reaching the owner through the owner window's procedure.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/product.h"
#include "base/win32/unique_handle.h"
#include "mainwin/notify_icon.h"
#include "mainwin/notify_icon_record.h"
#include "mainwin/win32/shell_notify_icon.h"

namespace orvane::win32 {
namespace {

class CountingOwner final : public NotifyIconOwner {
 public:
  void OnTrayLeftClick() override { ++left; }
  void OnTrayRightClick() override { ++right; }
  int left = 0;
  int right = 0;
};

// What the main window's procedure does with the tray message: hand lParam to the icon
// object, then pass the message on.
LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kTrayCallbackMessage) {
    if (auto* icon = reinterpret_cast<CNxNotifyIcon*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
      icon->OnCallbackMessage(static_cast<std::uint32_t>(lp));
    }
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

class TrayNotifyIcon : public ::testing::Test {
 protected:
  void SetUp() override {
    if (FindWindowW(L"Shell_TrayWnd", nullptr) == nullptr) {
      GTEST_SKIP() << "Wine's tray window (explorer's Shell_TrayWnd) is not running";
    }
    WNDCLASSW wc{};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"OrvaneTrayOwner";
    RegisterClassW(&wc);
    window_ =
        UniqueWindow(CreateWindowExW(0, L"OrvaneTrayOwner", L"tray owner", WS_OVERLAPPEDWINDOW, 0,
                                     0, 200, 100, nullptr, nullptr, wc.hInstance, nullptr));
    ASSERT_TRUE(window_);
    // An icon of the test's own (a copy of the standard application icon).
    icon_handle_ = UniqueIcon(CopyIcon(LoadIconW(nullptr, MAKEINTRESOURCEW(32512))));
  }

  std::uint32_t Window() const {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window_.get()));
  }
  std::uint32_t Icon() const {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(icon_handle_.get()));
  }

  void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageW(&msg);
    }
  }

  UniqueWindow window_;
  UniqueIcon icon_handle_;
};

TEST_F(TrayNotifyIcon, TheShellAcceptsAddModifyBalloonsAndDelete) {
  ShellNotifyIcon shell;
  CNxNotifyIcon icon(shell);
  icon.AddNotifyIcon(Window(), Icon(), kClientTitle);
  ASSERT_TRUE(shell.LastResult()) << "add";
  // The 32-bit program's 488-byte record; the 64-bit build's is 504 bytes.
  constexpr const NotifyIconLayout& layout = PlatformNotifyIconRecord::kLayout;
  EXPECT_EQ(shell.Record().Number(layout.size), sizeof(void*) == 8 ? 504u : 488u);
  EXPECT_EQ(shell.Record().Number(layout.id), 1000u);
  EXPECT_EQ(shell.Record().Number(layout.window),
            static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(window_.get())));

  icon.ModifyNotifyIcon(Window(), Icon(), "Orvane");
  EXPECT_TRUE(shell.LastResult()) << "modify";
  EXPECT_EQ(shell.Record().Number(layout.callback_message), kTrayCallbackMessage);
  icon.ShowBubble("Orvane", "balloon", 1);
  EXPECT_TRUE(shell.LastResult()) << "balloon";
  icon.HideBubble();
  EXPECT_TRUE(shell.LastResult()) << "hide balloon";

  // A tip far longer than its field is cut inside it and still accepted.
  icon.ModifyNotifyIcon(Window(), Icon(), std::string(400, 'x'));
  EXPECT_TRUE(shell.LastResult()) << "long tip";

  icon.DeleteNotifyIcon();
  EXPECT_TRUE(shell.LastResult()) << "delete";
  // Gone: a second delete finds nothing.
  icon.DeleteNotifyIcon();
  EXPECT_FALSE(shell.LastResult());
}

TEST_F(TrayNotifyIcon, TheIconGoesWithTheObject) {
  {
    ShellNotifyIcon shell;
    CNxNotifyIcon icon(shell);
    icon.AddNotifyIcon(Window(), Icon(), kClientTitle);
    ASSERT_TRUE(shell.LastResult());
  }
  // Another object naming the same window and identifier finds no icon to change.
  ShellNotifyIcon probe;
  CNxNotifyIcon other(probe);
  other.ModifyNotifyIcon(Window(), Icon(), "probe");
  EXPECT_FALSE(probe.LastResult());
}

TEST_F(TrayNotifyIcon, TheCallbackMessageReachesTheOwnerThroughItsWindow) {
  // Wine's tray sends the callback message to the owner window when the icon is clicked
  // in an XEmbed tray; clicking there from this program is not possible, so the message
  // is posted here exactly as the shell sends it (wParam the id, lParam the mouse message).
  ShellNotifyIcon shell;
  CountingOwner owner;
  CNxNotifyIcon icon(shell, &owner);
  icon.AddNotifyIcon(Window(), Icon(), kClientTitle);
  ASSERT_TRUE(shell.LastResult());
  SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&icon));

  PostMessageW(window_.get(), kTrayCallbackMessage, kNotifyIconId, WM_MOUSEMOVE);
  PostMessageW(window_.get(), kTrayCallbackMessage, kNotifyIconId, WM_LBUTTONDOWN);
  PostMessageW(window_.get(), kTrayCallbackMessage, kNotifyIconId, WM_LBUTTONUP);
  PostMessageW(window_.get(), kTrayCallbackMessage, kNotifyIconId, WM_RBUTTONDOWN);
  PostMessageW(window_.get(), kTrayCallbackMessage, kNotifyIconId, WM_RBUTTONUP);
  Pump();
  EXPECT_EQ(owner.left, 1);
  EXPECT_EQ(owner.right, 1);
  SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

}  // namespace
}  // namespace orvane::win32
