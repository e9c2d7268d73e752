// When the window hook lets go of a window, and when its record may be freed: unhooking,
// termination, destroyed windows, unhooking from inside a report, a window of another
// process and another procedure put in front of the hook.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "winhook_test_support.h"

namespace orvane::win32 {
namespace {

using hooktest::HookTest;
using hooktest::kEcho;
using hooktest::RecordingLog;
using hooktest::RecordingOwner;
using hooktest::TestWindow;

class SubclassLifetime : public HookTest {
 protected:
  TestWindow window;
  RecordingOwner owner;
  RecordingLog log;
};

TEST_F(SubclassLifetime, AfterUnSubclassNoReportsAndTheOwnProcedureBackAfterTheNextMessage) {
  const HWND h = window.hwnd();
  const WNDPROC own = window.Procedure();
  CSubclass hook(owner, log);
  ASSERT_TRUE(hook.ssc_Subclass(h));
  hook.ssc_AddMsg(h, ALL_MESSAGES, WHEN_BOTH);
  EXPECT_NE(window.Procedure(), own);
  SendMessageW(h, kEcho, 1, 0);
  EXPECT_EQ(owner.Count(kEcho, true), 1);

  hook.ssc_UnSubclass(h);
  const std::size_t reported = owner.reports.size();
  // Still in place until the window's next message, but silent.
  EXPECT_NE(window.Procedure(), own);
  EXPECT_EQ(SendMessageW(h, kEcho, 2, 0), 5);
  EXPECT_EQ(owner.reports.size(), reported);
  EXPECT_EQ(window.Procedure(), own);
  EXPECT_EQ(window.trace().Seen(kEcho), 2);
  EXPECT_EQ(Live(), 1);  // freed only by the release timer
  EXPECT_TRUE(Released());
  SendMessageW(h, kEcho, 3, 0);
  EXPECT_EQ(owner.reports.size(), reported);
  EXPECT_TRUE(log.lines.empty());
}

TEST_F(SubclassLifetime, TerminateAndDestructionUnhookEveryWindow) {
  TestWindow second;
  const WNDPROC own = window.Procedure();
  {
    CSubclass hook(owner, log);
    ASSERT_TRUE(hook.ssc_Subclass(window.hwnd()));
    ASSERT_TRUE(hook.ssc_Subclass(second.hwnd()));
    hook.ssc_AddMsg(window.hwnd(), kEcho, WHEN_BEFORE);
    hook.ssc_AddMsg(second.hwnd(), kEcho, WHEN_BEFORE);
    hook.ssc_Terminate();
    SendMessageW(window.hwnd(), kEcho, 0, 0);
    SendMessageW(second.hwnd(), kEcho, 0, 0);
    EXPECT_TRUE(owner.reports.empty());
    EXPECT_EQ(window.Procedure(), own);
    EXPECT_EQ(second.Procedure(), own);

    // The object can hook again afterwards; its end unhooks that window too.
    ASSERT_TRUE(hook.ssc_Subclass(window.hwnd()));
    hook.ssc_AddMsg(window.hwnd(), kEcho, WHEN_BEFORE);
    SendMessageW(window.hwnd(), kEcho, 0, 0);
    EXPECT_EQ(owner.reports.size(), 1u);
  }
  SendMessageW(window.hwnd(), kEcho, 0, 0);
  EXPECT_EQ(owner.reports.size(), 1u);
  EXPECT_EQ(window.Procedure(), own);
  EXPECT_TRUE(Released());
  EXPECT_EQ(window.trace().Seen(kEcho), 3);
  EXPECT_EQ(second.trace().Seen(kEcho), 1);
}

TEST_F(SubclassLifetime, AWindowDestroyedWhileHookedDetachesItself) {
  CSubclass hook(owner, log);
  TestWindow doomed;
  const HWND h = doomed.hwnd();
  ASSERT_TRUE(hook.ssc_Subclass(h, 42));
  hook.ssc_AddMsg(h, WM_DESTROY, WHEN_BEFORE);
  hook.ssc_AddMsg(h, WM_NCDESTROY, WHEN_AFTER);
  hooktest::WindowTrace& trace = doomed.trace();
  ASSERT_TRUE(DestroyWindow(h));
  EXPECT_EQ(owner.Count(WM_DESTROY, true), 1);
  EXPECT_EQ(owner.Count(WM_NCDESTROY, false), 1);
  EXPECT_EQ(trace.Seen(WM_NCDESTROY), 1);
  EXPECT_EQ(Live(), 1);
  EXPECT_TRUE(Released());
  // The registry still names the window, but its record is gone: silent, no effect.
  hook.ssc_AddMsg(h, kEcho, WHEN_BEFORE);
  EXPECT_EQ(hook.zGet_lParamUser(h), 0);
  EXPECT_TRUE(log.lines.empty());
}

TEST_F(SubclassLifetime, UnhookingFromInsideAReportIsDeferredUntilTheCallReturns) {
  const HWND h = window.hwnd();
  const WNDPROC own = window.Procedure();
  CSubclass hook(owner, log);
  ASSERT_TRUE(hook.ssc_Subclass(h));
  hook.ssc_AddMsg(h, kEcho, WHEN_BOTH);
  int liveInside = -1;
  bool procedureInside = false;
  owner.onReport = [&](bool before, bool&, LRESULT&, HWND hwnd, UINT, WPARAM wParam, LPARAM,
                       LPARAM&) {
    if (!before || wParam != 1)
      return;
    // Nested first, so two calls run through the record when it is unhooked.
    SendMessageW(hwnd, kEcho, 2, 0);
    hook.ssc_UnSubclass(hwnd);
    liveInside = Live();
    procedureInside = window.Procedure() != own;
    // Messages sent now still pass through, silently.
    EXPECT_EQ(SendMessageW(hwnd, kEcho, 3, 0), 7);
  };
  EXPECT_EQ(SendMessageW(h, kEcho, 1, 0), 3);
  EXPECT_EQ(liveInside, 1);
  EXPECT_TRUE(procedureInside);
  // The outer call ended the hook: the own procedure is back, the record waits.
  EXPECT_EQ(window.Procedure(), own);
  EXPECT_EQ(Live(), 1);
  EXPECT_EQ(owner.Count(kEcho, true), 2);   // wParam 1 and the nested 2
  EXPECT_EQ(owner.Count(kEcho, false), 1);  // only the nested 2, before the unhook
  EXPECT_EQ(window.trace().Seen(kEcho), 3);
  EXPECT_TRUE(Released());
  EXPECT_EQ(SendMessageW(h, kEcho, 4, 0), 9);
}

TEST_F(SubclassLifetime, TheObjectMayBeDestroyedFromInsideAReport) {
  const HWND h = window.hwnd();
  const WNDPROC own = window.Procedure();
  auto hook = std::make_unique<CSubclass>(owner, log);
  ASSERT_TRUE(hook->ssc_Subclass(h));
  hook->ssc_AddMsg(h, kEcho, WHEN_BOTH);
  owner.onReport = [&](bool before, bool&, LRESULT&, HWND, UINT, WPARAM, LPARAM, LPARAM&) {
    if (before)
      hook.reset();
  };
  EXPECT_EQ(SendMessageW(h, kEcho, 6, 0), 13);
  EXPECT_EQ(hook, nullptr);
  EXPECT_EQ(owner.reports.size(), 1u);
  EXPECT_EQ(window.Procedure(), own);
  EXPECT_TRUE(Released());
  EXPECT_EQ(window.trace().Seen(kEcho), 1);
}

TEST_F(SubclassLifetime, AnOwnerGoneOrphansTheWindowAndDestroysAnApiWindow) {
  TestWindow api;
  const WNDPROC own = window.Procedure();
  CSubclass hook(owner, log);
  ASSERT_TRUE(hook.ssc_Subclass(window.hwnd()));
  ASSERT_TRUE(hook.ssc_Subclass(api.hwnd(), 0, 1, true, nullptr, true));
  hook.ssc_AddMsg(window.hwnd(), kEcho, WHEN_BOTH);
  hook.ssc_AddMsg(api.hwnd(), kEcho, WHEN_BOTH);
  hook.SetOwner(nullptr);

  EXPECT_EQ(SendMessageW(window.hwnd(), kEcho, 1, 0), 3);
  EXPECT_EQ(SendMessageW(api.hwnd(), kEcho, 1, 0), 3);
  EXPECT_TRUE(owner.reports.empty());
  EXPECT_EQ(window.Procedure(), own);
  EXPECT_TRUE(IsWindow(window.hwnd()));
  EXPECT_FALSE(IsWindow(api.hwnd()));
  EXPECT_TRUE(Released());
}

TEST_F(SubclassLifetime, AProcedurePutInFrontOfTheHookIsNotCutOut) {
  static WNDPROC behind = nullptr;
  static int frontCalls = 0;
  frontCalls = 0;
  struct Front {
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
      ++frontCalls;
      return CallWindowProcW(behind, hwnd, msg, wParam, lParam);
    }
  };
  const HWND h = window.hwnd();
  const WNDPROC own = window.Procedure();
  CSubclass hook(owner, log);
  ASSERT_TRUE(hook.ssc_Subclass(h));
  behind = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Front::Proc)));
  ASSERT_NE(behind, own);

  hook.ssc_UnSubclass(h);
  EXPECT_EQ(SendMessageW(h, kEcho, 1, 0), 3);
  EXPECT_EQ(window.Procedure(), &Front::Proc);
  EXPECT_EQ(frontCalls, 1);
  // Still called from the front procedure, so still alive.
  hooktest::PumpUntil([] { return false; }, 300);
  EXPECT_EQ(Live(), 1);
  EXPECT_EQ(SendMessageW(h, kEcho, 2, 0), 5);
  EXPECT_EQ(frontCalls, 2);

  // The front procedure steps back; the hook then follows at the next message.
  SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(behind));
  EXPECT_EQ(SendMessageW(h, kEcho, 3, 0), 7);
  EXPECT_EQ(window.Procedure(), own);
  EXPECT_TRUE(Released());
  EXPECT_TRUE(owner.reports.empty());
}

TEST_F(SubclassLifetime, HookingAgainBeforeTheNextMessageKeepsBothInOrder) {
  const HWND h = window.hwnd();
  const WNDPROC own = window.Procedure();
  CSubclass hook(owner, log);
  ASSERT_TRUE(hook.ssc_Subclass(h));
  hook.ssc_UnSubclass(h);
  ASSERT_TRUE(hook.ssc_Subclass(h));
  hook.ssc_AddMsg(h, kEcho, WHEN_BEFORE);
  EXPECT_EQ(SendMessageW(h, kEcho, 1, 0), 3);
  EXPECT_EQ(owner.Count(kEcho, true), 1);
  EXPECT_EQ(Live(), 2);

  hook.ssc_UnSubclass(h);
  SendMessageW(h, kEcho, 2, 0);
  SendMessageW(h, kEcho, 3, 0);
  EXPECT_EQ(owner.Count(kEcho, true), 1);
  EXPECT_EQ(window.Procedure(), own);
  EXPECT_TRUE(Released());
  EXPECT_EQ(window.trace().Seen(kEcho), 3);
}

// ----- A window of another process.

struct HandleClose {
  void operator()(HANDLE h) const noexcept { CloseHandle(h); }
};
using UniqueHandle = std::unique_ptr<void, HandleClose>;

// Runs the helper program that owns a window; ends it on destruction.
class ForeignWindowOwner {
 public:
  ForeignWindowOwner() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring exe(path);
    exe = exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"winhook_window_owner.exe";

    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
      return;
    UniqueHandle read(readEnd);
    UniqueHandle write(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi{};
    std::wstring command = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &si, &pi)) {
      return;
    }
    process_.reset(pi.hProcess);
    UniqueHandle thread(pi.hThread);
    write.reset();  // the child holds the only write end now

    std::string line;
    char c = 0;
    DWORD got = 0;
    while (ReadFile(readEnd, &c, 1, &got, nullptr) && got == 1 && c != '\n')
      line += c;
    if (!line.empty()) {
      hwnd_ = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::stoul(line)));
    }
  }
  ~ForeignWindowOwner() {
    if (!process_)
      return;
    if (hwnd_ != nullptr)
      PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0) {
      TerminateProcess(process_.get(), 1);
    }
  }
  ForeignWindowOwner(const ForeignWindowOwner&) = delete;
  ForeignWindowOwner& operator=(const ForeignWindowOwner&) = delete;

  HWND hwnd() const { return hwnd_; }
  DWORD ProcessId() const { return process_ ? GetProcessId(process_.get()) : 0; }

 private:
  UniqueHandle process_;
  HWND hwnd_ = nullptr;
};

TEST_F(SubclassLifetime, AWindowOfAnotherProcessIsRefusedWithItsText) {
  ForeignWindowOwner foreign;
  ASSERT_NE(foreign.hwnd(), nullptr);
  ASSERT_TRUE(IsWindow(foreign.hwnd()));
  DWORD pid = 0;
  GetWindowThreadProcessId(foreign.hwnd(), &pid);
  ASSERT_EQ(pid, foreign.ProcessId());
  const LONG_PTR theirs = GetWindowLongPtrW(foreign.hwnd(), GWLP_WNDPROC);

  CSubclass hook(owner, log);
  EXPECT_FALSE(hook.ssc_Subclass(foreign.hwnd()));
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_EQ(log.lines[0], "CSubclass.ssc_Subclass: Window handle belongs to another process");
  EXPECT_EQ(GetWindowLongPtrW(foreign.hwnd(), GWLP_WNDPROC), theirs);
  EXPECT_EQ(Live(), 0);

  // The form hook refuses it as well.
  struct Silent final : IFormSubclassOwner {
    void MsgCome(bool, bool&, LRESULT&, HWND&, UINT&, WPARAM&, LPARAM&) override {}
  } silent;
  cFormSubclass form(silent);
  EXPECT_FALSE(form.AddWindowMsgs(foreign.hwnd()));
  EXPECT_EQ(Live(), 0);
}

}  // namespace
}  // namespace orvane::win32
