// The boss key on Windows: the hotkey and the tray callback through the main window's
// procedure replacement, on a real window under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/win32/unique_handle.h"
#include "mainwin/boss_key.h"
#include "mainwin/win32/audio_session_mute.h"
#include "mainwin/win32/mod_msg.h"
#include "mainwin/win32/window_visibility.h"
#include "support/win32/real_input.h"

namespace orvane::win32 {
namespace {

int g_hotkeys_seen = 0;  // by the window's own procedure
int g_tray_seen = 0;

LRESULT CALLBACK OwnProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_HOTKEY) {
    ++g_hotkeys_seen;
  } else if (msg == kTrayCallbackMessage) {
    ++g_tray_seen;
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

class CountingSound final : public GameSound {
 public:
  int silenced = 0;
  int restored = 0;
  void Silence() override { ++silenced; }
  void Restore() override { ++restored; }
};

class Owner final : public MainWindowMessages {
 public:
  Owner(HWND window, GameSound& sound) : visibility(window), key(visibility, sound) {}
  void ToggleMainWindow() override { key.Toggle(); }
  void ShowProgramMenu() override { ++menus; }
  WindowVisibility visibility;
  BossKey key;
  int menus = 0;
};

class BossKeyWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_hotkeys_seen = 0;
    g_tray_seen = 0;
    WNDCLASSW wc{};
    wc.lpfnWndProc = OwnProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"OrvaneBossKeyTest";
    ::RegisterClassW(&wc);
    window.reset(::CreateWindowExW(0, wc.lpszClassName, L"boss key", WS_OVERLAPPEDWINDOW, 50, 50,
                                   300, 200, nullptr, nullptr, wc.hInstance, nullptr));
    ASSERT_TRUE(window);
    ::ShowWindow(window.get(), SW_SHOW);
    test_input::Pump();
  }
  void TearDown() override {
    UnhookHotKey(window.get());
    window.reset();
  }

  // F10 as the keyboard delivers it: a hardware key press through the system's input.
  static void PressF10() {
    INPUT keys[2] = {};
    keys[0].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_F10;
    keys[1] = keys[0];
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, keys, sizeof(INPUT));
  }

  UniqueWindow window;
};

TEST_F(BossKeyWindowTest, F10HidesThenShowsAndTheWindowStillSeesTheKey) {
  CountingSound sound;
  Owner owner(window.get(), sound);
  ASSERT_TRUE(HookHotKey(window.get(), owner));

  PressF10();
  ASSERT_TRUE(test_input::WaitUntil([&] { return !::IsWindowVisible(window.get()); }))
      << "no WM_HOTKEY for F10";
  EXPECT_EQ(sound.silenced, 1);
  PressF10();
  ASSERT_TRUE(test_input::WaitUntil([&] { return ::IsWindowVisible(window.get()) != 0; }));
  EXPECT_EQ(sound.restored, 1);
  EXPECT_EQ(g_hotkeys_seen, 2);  // passed on after handling
}

TEST_F(BossKeyWindowTest, OnlyTheF10HotkeyToggles) {
  CountingSound sound;
  Owner owner(window.get(), sound);
  HookHotKey(window.get(), owner);
  ::SendMessageW(window.get(), WM_HOTKEY, kBossHotKeyId, MAKELPARAM(MOD_ALT, VK_F9));
  EXPECT_TRUE(::IsWindowVisible(window.get()));
  ::SendMessageW(window.get(), WM_HOTKEY, 77, MAKELPARAM(MOD_CONTROL, VK_F10));
  EXPECT_FALSE(::IsWindowVisible(window.get()));  // identifier and modifiers not examined
  EXPECT_EQ(g_hotkeys_seen, 2);
}

TEST_F(BossKeyWindowTest, TrayClicksToggleAndOpenTheMenuAndArePassedOn) {
  CountingSound sound;
  Owner owner(window.get(), sound);
  HookHotKey(window.get(), owner);
  ::PostMessageW(window.get(), kTrayCallbackMessage, 1000, WM_LBUTTONUP);
  ASSERT_TRUE(test_input::WaitUntil([&] { return !::IsWindowVisible(window.get()); }));
  ::PostMessageW(window.get(), kTrayCallbackMessage, 1000, WM_RBUTTONUP);
  ::PostMessageW(window.get(), kTrayCallbackMessage, 1000, WM_MOUSEMOVE);
  ASSERT_TRUE(test_input::WaitUntil([&] { return g_tray_seen == 3; }));
  EXPECT_EQ(owner.menus, 1);
  EXPECT_FALSE(::IsWindowVisible(window.get()));  // the menu opens while hidden
  ::PostMessageW(window.get(), kTrayCallbackMessage, 1000, WM_LBUTTONUP);
  ASSERT_TRUE(test_input::WaitUntil([&] { return ::IsWindowVisible(window.get()) != 0; }));
}

TEST_F(BossKeyWindowTest, F10HeldByAnotherWindowLeavesTheMenuToggleWorking) {
  UniqueWindow holder(::CreateWindowExW(0, L"OrvaneBossKeyTest", L"holder", WS_OVERLAPPEDWINDOW, 0,
                                        0, 100, 100, nullptr, nullptr, ::GetModuleHandleW(nullptr),
                                        nullptr));
  ASSERT_TRUE(::RegisterHotKey(holder.get(), 5, 0, VK_F10));
  CountingSound sound;
  Owner owner(window.get(), sound);
  EXPECT_FALSE(HookHotKey(window.get(), owner));

  PressF10();  // goes to the holder
  EXPECT_TRUE(test_input::WaitUntil([] { return g_hotkeys_seen == 1; }));
  EXPECT_TRUE(::IsWindowVisible(window.get()));

  owner.ToggleMainWindow();  // the menu's hide/restore
  EXPECT_FALSE(::IsWindowVisible(window.get()));
  owner.ToggleMainWindow();
  EXPECT_TRUE(::IsWindowVisible(window.get()));
  ::UnregisterHotKey(holder.get(), 5);
}

TEST_F(BossKeyWindowTest, UnhookPutsThePreviousProcedureBackAndFreesTheKey) {
  CountingSound sound;
  Owner owner(window.get(), sound);
  ASSERT_TRUE(HookHotKey(window.get(), owner));
  EXPECT_EQ(::GetWindowLongPtrW(window.get(), GWLP_WNDPROC),
            reinterpret_cast<LONG_PTR>(&MainWindowProc));
  UnhookHotKey(window.get());
  EXPECT_EQ(::GetWindowLongPtrW(window.get(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OwnProc));

  ::PostMessageW(window.get(), kTrayCallbackMessage, 1000, WM_LBUTTONUP);
  ASSERT_TRUE(test_input::WaitUntil([] { return g_tray_seen == 1; }));
  EXPECT_TRUE(::IsWindowVisible(window.get()));
  // Another window can have F10 now.
  EXPECT_TRUE(::RegisterHotKey(window.get(), 6, 0, VK_F10));
  ::UnregisterHotKey(window.get(), 6);
}

TEST_F(BossKeyWindowTest, HidingMutesTheProcessAudioSessionAndShowingPutsItBack) {
  AudioSessionMute sound;
  Owner owner(window.get(), sound);
  if (!sound.SessionAvailable()) {
    // Without an output device the session cannot be reached; hiding must still work.
    owner.ToggleMainWindow();
    EXPECT_FALSE(::IsWindowVisible(window.get()));
    owner.ToggleMainWindow();
    EXPECT_TRUE(::IsWindowVisible(window.get()));
    GTEST_SKIP() << "no audio session here (no default output device): mute not observable";
  }
  ASSERT_FALSE(sound.SessionMuted());
  owner.ToggleMainWindow();
  EXPECT_TRUE(sound.SessionMuted());
  owner.ToggleMainWindow();
  EXPECT_FALSE(sound.SessionMuted());
}

}  // namespace
}  // namespace orvane::win32
