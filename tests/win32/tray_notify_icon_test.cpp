// The tray icon under Wine: the 488-byte record (504 bytes in the 64-bit build) accepted by
// Shell_NotifyIconA for add, modify (tip and balloons) and delete, the icon gone with the object,
// and the tray callback message reaching the owner through the owner window's procedure, also
// from real clicks on the icon docked in an XEmbed tray (trayer) on the X display.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "base/product.h"
#include "base/resource_ids.h"
#include "base/win32/unique_handle.h"
#include "mainwin/notify_icon.h"
#include "mainwin/notify_icon_record.h"
#include "mainwin/win32/shell_notify_icon.h"
#include "support/counting_tray_owner.h"
#include "support/win32/host_command.h"
#include "support/win32/real_input.h"
#include "support/win32/screen_shot.h"

namespace orvane::win32 {
namespace {

using CountingOwner = orvane::testing::CountingTrayOwner;

// The mouse messages of every tray callback message the owner window received.
std::vector<LPARAM> g_callbacks;

// What the main window's procedure does with the tray message: hand lParam to the icon
// object, then pass the message on.
LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kTrayCallbackMessage) {
    g_callbacks.push_back(lp);
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

  void Pump() { test_input::Pump(); }

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
  // The callback message as the shell sends it (wParam the id, lParam the mouse message),
  // every mouse message of a click in turn: only the button-up messages are clicks.
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

BOOL CALLBACK FindDockedIcon(HWND window, LPARAM out) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (lstrcmpW(name, L"__winex11_tray_icon") == 0 && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(out) = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindDockedIconUnder(HWND top, LPARAM out) {
  EnumChildWindows(top, FindDockedIcon, out);
  return *reinterpret_cast<HWND*>(out) == nullptr;
}

// The window Wine's X11 driver made for an icon docked in an XEmbed tray, or nothing. It
// lies inside the tray's X windows, which Wine knows as foreign windows.
HWND DockedIconWindow() {
  HWND found = nullptr;
  EnumWindows(FindDockedIconUnder, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Pumps messages until `done()` holds, for up to `seconds` (the tray runs in other
// processes, slower on a busy machine).
template <typename Done>
bool WaitLong(Done done, int seconds) {
  for (int i = 0; i < seconds * 50; ++i) {
    test_input::Pump();
    if (done()) {
      return true;
    }
    Sleep(20);
  }
  return false;
}

TEST_F(TrayNotifyIcon, RealClicksOnTheIconDockedInTrayerReachTheOwner) {
  if (!test_input::UnderWine()) {
    GTEST_SKIP() << "the XEmbed tray is Wine's X11 driver's; this test runs under Wine";
  }
  if (test_input::HostCommand("command -v trayer && command -v xdotool && xdotool getmouselocation",
                              60) != 0) {
    GTEST_SKIP() << "no host commands from Wine here, or trayer, xdotool or the X display missing";
  }
  // An XEmbed tray of its own on the X display, for this test only.
  test_input::HostProgram trayer(
      "trayer --edge top --align right --widthtype pixel --width 120 --height 32 --expand false");
  ASSERT_TRUE(trayer.Started());
  ASSERT_EQ(test_input::HostCommand(
                "timeout 20 xdotool search --sync --onlyvisible --classname '^panel$'"),
            0)
      << "trayer's window did not show";

  // The program's own icon at the tray's size.
  UniqueIcon program_icon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                                        MAKEINTRESOURCEW(ORVANE_ICON_APPLICATION),
                                                        IMAGE_ICON, 16, 16, 0)));
  ASSERT_TRUE(program_icon);
  const auto icon_handle =
      static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(program_icon.get()));
  ShellNotifyIcon shell;
  CountingOwner owner;
  CNxNotifyIcon icon(shell, &owner);
  SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&icon));
  // Wine docks an icon into an XEmbed tray when the icon is added, if the tray has taken
  // its selection by then; an icon added a moment too early is added again.
  HWND docked = nullptr;
  for (int attempt = 0; attempt < 3 && docked == nullptr; ++attempt) {
    if (attempt > 0) {
      icon.DeleteNotifyIcon();
    }
    icon.AddNotifyIcon(Window(), icon_handle, kClientTitle);
    ASSERT_TRUE(shell.LastResult()) << "add";
    WaitLong([&] { return (docked = DockedIconWindow()) != nullptr; }, 5);
  }
  ASSERT_NE(docked, nullptr) << "Wine did not dock the icon into trayer";
  // The icon's own X window, as Wine's X11 driver records it.
  const auto x_window =
      reinterpret_cast<std::uintptr_t>(GetPropA(docked, "__wine_x11_whole_window"));
  ASSERT_NE(x_window, 0u);
  RECT area{};
  ASSERT_TRUE(GetClientRect(docked, &area));
  const std::string inside = std::to_string(x_window) + " " + std::to_string(area.right / 2) + " " +
                             std::to_string(area.bottom / 2);
  // On the X display the window sits inside trayer's.
  char hex[32];
  std::snprintf(hex, sizeof(hex), "0x%llx", static_cast<unsigned long long>(x_window));
  EXPECT_EQ(test_input::HostCommand(
                "xwininfo -tree -id $(xdotool search --onlyvisible --classname '^panel$' | "
                "head -n 1) | grep -qi " +
                std::string(hex)),
            0)
      << "the icon's X window is not inside trayer's";
  test_input::SaveScreenShot("tray-trayer-win64-wine");

  g_callbacks.clear();
  ASSERT_EQ(test_input::HostCommand("xdotool mousemove --window " + inside + " click 1"), 0);
  ASSERT_TRUE(WaitLong([&] { return owner.left == 1; }, 10)) << "the left click did not arrive";
  EXPECT_EQ(owner.right, 0);
  ASSERT_EQ(test_input::HostCommand("xdotool mousemove --window " + inside + " click 3"), 0);
  ASSERT_TRUE(WaitLong([&] { return owner.right == 1; }, 10)) << "the right click did not arrive";
  EXPECT_EQ(owner.left, 1);
  // The callback message carried the button messages in lParam, as the shell sends them.
  auto seen = [&](LPARAM message) {
    return std::find(g_callbacks.begin(), g_callbacks.end(), message) != g_callbacks.end();
  };
  EXPECT_TRUE(seen(WM_LBUTTONUP));
  EXPECT_TRUE(seen(WM_RBUTTONUP));

  icon.DeleteNotifyIcon();
  EXPECT_TRUE(shell.LastResult()) << "delete";
  EXPECT_TRUE(WaitLong([&] { return DockedIconWindow() == nullptr; }, 10))
      << "the icon stayed in trayer";
  SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

}  // namespace
}  // namespace orvane::win32
