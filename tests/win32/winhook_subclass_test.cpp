// The window hook on real windows: what the owner is told, what the window's own
// procedure sees, and the error lines of misuse.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "winhook_test_support.h"

namespace orvane::win32 {
namespace {

using hooktest::HookTest;
using hooktest::kEcho;
using hooktest::kSizeResult;
using hooktest::PumpUntil;
using hooktest::RecordingLog;
using hooktest::RecordingOwner;
using hooktest::TestWindow;

class Subclass : public HookTest {
 protected:
  TestWindow window;
  RecordingOwner owner;
  RecordingLog log;
  CSubclass hook{owner, log};
};

TEST_F(Subclass, SizeInTheAfterTableIsSeenOnceWithThePreviousResult) {
  const HWND h = window.hwnd();
  ASSERT_TRUE(hook.ssc_Subclass(h));
  hook.ssc_AddMsg(h, WM_SIZE, WHEN_AFTER);

  // A real resize: the system sends WM_SIZE through the window's procedure chain.
  ASSERT_TRUE(SetWindowPos(h, nullptr, 0, 0, 320, 240, SWP_NOMOVE | SWP_NOZORDER));
  ASSERT_EQ(owner.Count(WM_SIZE, false), 1);
  EXPECT_EQ(owner.Count(WM_SIZE, true), 0);
  EXPECT_EQ(window.trace().Seen(WM_SIZE), 1);
  const hooktest::Report& r = owner.reports.back();
  EXPECT_EQ(r.hwnd, h);
  EXPECT_EQ(r.lReturn, kSizeResult);

  // Nothing outside the table is reported.
  SendMessageW(h, kEcho, 3, 0);
  EXPECT_EQ(owner.reports.size(), 1u);
  EXPECT_EQ(window.trace().Seen(kEcho), 1);
  EXPECT_TRUE(log.lines.empty());
}

TEST_F(Subclass, TheOwnerMayChangeTheResultAfterTheProcedure) {
  const HWND h = window.hwnd();
  ASSERT_TRUE(hook.ssc_Subclass(h));
  hook.ssc_AddMsg(h, kEcho, WHEN_AFTER);
  owner.onReport = [](bool before, bool&, LRESULT& ret, HWND, UINT, WPARAM, LPARAM, LPARAM&) {
    if (!before)
      ret += 1000;
  };
  EXPECT_EQ(SendMessageW(h, kEcho, 5, 0), 1011);
  ASSERT_EQ(owner.reports.size(), 1u);
  EXPECT_EQ(owner.reports[0].lReturn, 11);
  EXPECT_EQ(owner.reports[0].wParam, 5u);
}

TEST_F(Subclass, MessageFieldsResultAndUserValueKeepTheirFullWidth) {
  // In the 64-bit build wParam, lParam, the result and the user value are 64 bits wide: a
  // hook narrowing any of them to 32 bits on its way would lose the upper half (of a
  // pointer, say). In the 32-bit program the same values are simply cut to 32 bits.
  const auto wide = static_cast<WPARAM>(0x0123456789ABCDEFull);
  const auto wideL = static_cast<LPARAM>(0x7EDCBA9876543210ll);
  const auto user = static_cast<LPARAM>(0x1122334455667788ll);
  const auto added = static_cast<LRESULT>(0x0100000000000000ll);
  const HWND h = window.hwnd();
  ASSERT_TRUE(hook.ssc_Subclass(h, user));
  hook.ssc_AddMsg(h, kEcho, WHEN_BOTH);
  owner.onReport = [&](bool before, bool&, LRESULT& ret, HWND, UINT, WPARAM, LPARAM, LPARAM&) {
    if (!before)
      ret += added;
  };
  const LRESULT own = static_cast<LRESULT>(wide * 2 + 1);
  EXPECT_EQ(SendMessageW(h, kEcho, wide, wideL), own + added);
  ASSERT_EQ(owner.reports.size(), 2u);
  for (const hooktest::Report& r : owner.reports) {
    EXPECT_EQ(r.hwnd, h);
    EXPECT_EQ(r.wParam, wide);
    EXPECT_EQ(r.lParam, wideL);
    EXPECT_EQ(r.user, user);
  }
  EXPECT_EQ(owner.reports[1].lReturn, own);
  EXPECT_EQ(window.trace().lastWParam[kEcho], wide);
  EXPECT_EQ(hook.zGet_lParamUser(h), user);
}

TEST_F(Subclass, AHandledBeforeReportSkipsTheProcedureAndTheAfterReport) {
  const HWND h = window.hwnd();
  ASSERT_TRUE(hook.ssc_Subclass(h));
  hook.ssc_AddMsg(h, kEcho, WHEN_BOTH);
  owner.onReport = [](bool before, bool& handled, LRESULT& ret, HWND, UINT, WPARAM, LPARAM,
                      LPARAM&) {
    if (before) {
      handled = true;
      ret = 1;
    }
  };
  EXPECT_EQ(SendMessageW(h, kEcho, 20, 0), 1);
  EXPECT_EQ(window.trace().Seen(kEcho), 0);
  EXPECT_EQ(owner.Count(kEcho, true), 1);
  EXPECT_EQ(owner.Count(kEcho, false), 0);

  // Not handled: both reports, and the after-report carries the procedure's result.
  owner.onReport = nullptr;
  EXPECT_EQ(SendMessageW(h, kEcho, 20, 0), 41);
  EXPECT_EQ(window.trace().Seen(kEcho), 1);
  EXPECT_EQ(owner.Count(kEcho, true), 2);
  ASSERT_EQ(owner.Count(kEcho, false), 1);
  EXPECT_EQ(owner.reports.back().lReturn, 41);
  // The before-report starts from result 0.
  EXPECT_EQ(owner.reports[owner.reports.size() - 2].lReturn, 0);
}

TEST_F(Subclass, TheUserValueTravelsWithTheWindow) {
  const HWND h = window.hwnd();
  ASSERT_TRUE(hook.ssc_Subclass(h, 1234));
  EXPECT_EQ(hook.zGet_lParamUser(h), 1234);
  hook.ssc_AddMsg(h, kEcho, WHEN_BEFORE);
  owner.onReport = [](bool, bool&, LRESULT&, HWND, UINT, WPARAM wParam, LPARAM, LPARAM& user) {
    if (wParam == 1)
      user = 555;
  };
  SendMessageW(h, kEcho, 0, 0);
  EXPECT_EQ(owner.reports.back().user, 1234);
  SendMessageW(h, kEcho, 1, 0);
  EXPECT_EQ(hook.zGet_lParamUser(h), 555);
  hook.zSet_lParamUser(h, 9);
  SendMessageW(h, kEcho, 0, 0);
  EXPECT_EQ(owner.reports.back().user, 9);
  EXPECT_TRUE(log.lines.empty());
}

TEST_F(Subclass, CallOrigWndProcReachesThePreviousProcedureWithoutAReport) {
  const HWND h = window.hwnd();
  ASSERT_TRUE(hook.ssc_Subclass(h));
  hook.ssc_AddMsg(h, ALL_MESSAGES, WHEN_BOTH);
  EXPECT_EQ(hook.ssc_CallOrigWndProc(h, kEcho, 4, 0), 9);
  EXPECT_EQ(window.trace().Seen(kEcho), 1);
  EXPECT_EQ(owner.Count(kEcho, true) + owner.Count(kEcho, false), 0);
}

TEST_F(Subclass, ReentrantSendMessageFromInsideAReportNests) {
  const HWND h = window.hwnd();
  ASSERT_TRUE(hook.ssc_Subclass(h));
  hook.ssc_AddMsg(h, kEcho, WHEN_BOTH);
  std::vector<std::string> order;
  LRESULT inner = -1;
  owner.onReport = [&](bool before, bool&, LRESULT&, HWND hwnd, UINT, WPARAM wParam, LPARAM,
                       LPARAM&) {
    order.push_back(std::string(before ? "before " : "after ") + std::to_string(wParam));
    if (before && wParam < 3)
      inner = SendMessageW(hwnd, kEcho, wParam + 1, 0);
  };
  EXPECT_EQ(SendMessageW(h, kEcho, 1, 0), 3);
  EXPECT_EQ(inner, 5);  // the result of the innermost-but-one call (wParam 2)
  const std::vector<std::string> expected = {"before 1", "before 2", "before 3",
                                             "after 3",  "after 2",  "after 1"};
  EXPECT_EQ(order, expected);
  EXPECT_EQ(window.trace().Seen(kEcho), 3);
}

TEST_F(Subclass, WideFunctionsAreUsedOnlyWhenAskedForOnAUnicodeWindow) {
  const HWND h = window.hwnd();
  ASSERT_TRUE(IsWindowUnicode(h));
  bool wide = true;
  ASSERT_TRUE(hook.ssc_Subclass(h, 0, 1, true, &wide));
  EXPECT_TRUE(wide);
  EXPECT_TRUE(IsWindowUnicode(h));
  // A wide text crosses the hook unchanged.
  hook.ssc_AddMsg(h, WM_SETTEXT, WHEN_BEFORE);
  const wchar_t* text = L"Orvane\x5BA2\x6237\x7AEF";
  SendMessageW(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(window.trace().lastText, text);
  EXPECT_EQ(owner.Count(WM_SETTEXT, true), 1);

  TestWindow other;
  bool notAsked = false;
  ASSERT_TRUE(hook.ssc_Subclass(other.hwnd(), 0, 1, true, &notAsked));
  EXPECT_FALSE(notAsked);
}

TEST_F(Subclass, TrackMouseTrackingBringsOneMouseLeave) {
  const HWND h = window.hwnd();
  SetWindowPos(h, HWND_TOPMOST, 10, 10, 200, 150, SWP_SHOWWINDOW);
  hooktest::PumpUntil([] { return false; }, 200);
  ASSERT_TRUE(SetCursorPos(100, 80));
  hooktest::PumpUntil([] { return false; }, 200);
  ASSERT_TRUE(hook.ssc_Subclass(h));
  hook.ssc_AddMsg(h, WM_MOUSELEAVE, WHEN_BEFORE);
  hook.TrackMouseTracking(h);
  // The pointer leaves the window: one leave report, then no more without a new request.
  ASSERT_TRUE(SetCursorPos(1000, 900));
  EXPECT_TRUE(PumpUntil([&] { return owner.Count(WM_MOUSELEAVE, true) == 1; }));
  EXPECT_EQ(window.trace().Seen(WM_MOUSELEAVE), 1);
  SetCursorPos(100, 80);
  hooktest::PumpUntil([] { return false; }, 200);
  SetCursorPos(1000, 900);
  hooktest::PumpUntil([] { return false; }, 800);
  EXPECT_EQ(owner.Count(WM_MOUSELEAVE, true), 1);
}

// ----- Misuse: one error line each, nothing else happens.

TEST_F(Subclass, SubclassingTwiceFailsWithItsText) {
  const HWND h = window.hwnd();
  ASSERT_TRUE(hook.ssc_Subclass(h));
  const WNDPROC hooked = window.Procedure();
  EXPECT_FALSE(hook.ssc_Subclass(h));
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_EQ(log.lines[0], "CSubclass.ssc_Subclass: Window handle is already subclassed");
  EXPECT_EQ(window.Procedure(), hooked);
  EXPECT_EQ(Live(), 1);
  // The first hook still works.
  hook.ssc_AddMsg(h, kEcho, WHEN_BEFORE);
  SendMessageW(h, kEcho, 0, 0);
  EXPECT_EQ(owner.Count(kEcho, true), 1);
}

TEST_F(Subclass, ABadHandleOrOrdinalFailsWithItsText) {
  HWND gone = nullptr;
  {
    TestWindow temporary;
    gone = temporary.hwnd();
  }
  const WNDPROC own = window.Procedure();
  EXPECT_FALSE(hook.ssc_Subclass(gone));
  EXPECT_FALSE(hook.ssc_Subclass(window.hwnd(), 0, 2));
  ASSERT_EQ(log.lines.size(), 2u);
  EXPECT_EQ(log.lines[0], "CSubclass.ssc_Subclass: Invalid window handle");
  EXPECT_EQ(log.lines[1], "CSubclass.ssc_Subclass: Callback method not found");
  EXPECT_EQ(window.Procedure(), own);
  EXPECT_EQ(Live(), 0);
}

TEST_F(Subclass, WithoutAnOwnerThereIsNoCallback) {
  hook.SetOwner(nullptr);
  EXPECT_FALSE(hook.ssc_Subclass(window.hwnd()));
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_EQ(log.lines[0], "CSubclass.ssc_Subclass: Callback method not found");
}

TEST_F(Subclass, LookupsReportAMissingWindowAndTheMissingRegistry) {
  const HWND h = window.hwnd();
  TestWindow other;
  // Nothing hooked yet: there is no registry.
  hook.ssc_AddMsg(h, kEcho, WHEN_BEFORE);
  EXPECT_EQ(hook.zGet_lParamUser(h), 0);
  ASSERT_EQ(log.lines.size(), 2u);
  EXPECT_EQ(log.lines[0], "CSubclass.zMap_VFunction: Thunk hasn't been initialized");
  EXPECT_EQ(log.lines[1], "CSubclass.zMap_VFunction: Thunk hasn't been initialized");
  log.lines.clear();

  ASSERT_TRUE(hook.ssc_Subclass(h));
  hook.ssc_AddMsg(other.hwnd(), kEcho, WHEN_BEFORE);
  EXPECT_EQ(hook.ssc_CallOrigWndProc(other.hwnd(), kEcho, 1, 0), 0);
  ASSERT_EQ(log.lines.size(), 2u);
  EXPECT_EQ(log.lines[0], "CSubclass.zMap_VFunction: Thunk type for  does not exist");
  EXPECT_EQ(log.lines[1], log.lines[0]);
  EXPECT_EQ(other.trace().Seen(kEcho), 0);
  log.lines.clear();

  // Unhooking a window this object does not hook is silent.
  hook.ssc_UnSubclass(other.hwnd());
  EXPECT_TRUE(log.lines.empty());

  // An empty registry is silent.
  hook.ssc_UnSubclass(h);
  hook.ssc_AddMsg(h, kEcho, WHEN_BEFORE);
  EXPECT_TRUE(log.lines.empty());

  // After ssc_Terminate the registry is gone again.
  hook.ssc_Terminate();
  hook.zSet_lParamUser(h, 1);
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_EQ(log.lines[0], "CSubclass.zMap_VFunction: Thunk hasn't been initialized");
}

TEST(SubclassLog, WithTheApplicationLogAFailureStillReturnsFalse) {
  // The real sink must accept a line without failing the caller.
  ApplicationEventLog::Instance().Error("CSubclass.ssc_Subclass: Invalid window handle");
  RecordingOwner owner;
  CSubclass hook(owner);
  EXPECT_FALSE(hook.ssc_Subclass(nullptr));
}

}  // namespace
}  // namespace orvane::win32
