// The form hook on real windows: every message reported before the window's procedure,
// answers and changed fields, and unhooking when the object goes, also from inside a
// report.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "winhook_test_support.h"

namespace orvane::win32 {
namespace {

using hooktest::HookTest;
using hooktest::kEcho;
using hooktest::TestWindow;

struct Seen {
  bool before;
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
};

class RecordingFormOwner final : public IFormSubclassOwner {
 public:
  void MsgCome(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& lng_hWnd, UINT& uMsg,
               WPARAM& wParam, LPARAM& lParam) override {
    seen.push_back({bBefore, lng_hWnd, uMsg, wParam});
    if (onMsg)
      onMsg(bHandled, lReturn, lng_hWnd, uMsg, wParam, lParam);
  }
  int Count(UINT msg) const {
    int n = 0;
    for (const Seen& s : seen)
      n += s.msg == msg ? 1 : 0;
    return n;
  }
  std::vector<Seen> seen;
  std::function<void(bool&, LRESULT&, HWND&, UINT&, WPARAM&, LPARAM&)> onMsg;
};

class FormSubclass : public HookTest {
 protected:
  TestWindow window;
  RecordingFormOwner owner;
};

TEST_F(FormSubclass, EveryMessageIsReportedBeforeTheWindowProcedure) {
  const HWND h = window.hwnd();
  cFormSubclass hook(owner);
  ASSERT_TRUE(hook.AddWindowMsgs(h));
  std::vector<int> procedureCountAtReport;
  owner.onMsg = [&](bool&, LRESULT&, HWND&, UINT& msg, WPARAM&, LPARAM&) {
    if (msg == kEcho)
      procedureCountAtReport.push_back(window.trace().Seen(kEcho));
  };
  EXPECT_EQ(SendMessageW(h, kEcho, 4, 0), 9);
  SetWindowPos(h, nullptr, 0, 0, 260, 180, SWP_NOMOVE | SWP_NOZORDER);
  SendMessageW(h, WM_APP + 50, 0, 0);
  ASSERT_EQ(procedureCountAtReport, std::vector<int>{0});
  EXPECT_EQ(owner.Count(kEcho), 1);
  EXPECT_EQ(owner.Count(WM_WINDOWPOSCHANGED), 1);
  EXPECT_EQ(owner.Count(WM_SIZE), 1);
  EXPECT_EQ(owner.Count(WM_APP + 50), 1);
  for (const Seen& s : owner.seen) {
    EXPECT_TRUE(s.before);
    EXPECT_EQ(s.hwnd, h);
  }
  EXPECT_EQ(window.trace().Seen(WM_SIZE), 1);
}

TEST_F(FormSubclass, AHandlerCanAnswerAMessageOrChangeItsWParam) {
  const HWND h = window.hwnd();
  cFormSubclass hook(owner);
  ASSERT_TRUE(hook.AddWindowMsgs(h));
  owner.onMsg = [](bool& handled, LRESULT& ret, HWND&, UINT& msg, WPARAM& wParam, LPARAM&) {
    if (msg != kEcho)
      return;
    if (wParam == 100) {
      handled = true;
      ret = 0;
    } else if (wParam == 200) {
      handled = true;
      ret = 42;
    } else {
      wParam += 10;
    }
  };
  EXPECT_EQ(SendMessageW(h, kEcho, 100, 0), 0);
  EXPECT_EQ(SendMessageW(h, kEcho, 200, 0), 42);
  EXPECT_EQ(window.trace().Seen(kEcho), 0);

  EXPECT_EQ(SendMessageW(h, kEcho, 1, 0), 23);
  EXPECT_EQ(window.trace().Seen(kEcho), 1);
  EXPECT_EQ(window.trace().lastWParam[kEcho], 11u);
}

TEST_F(FormSubclass, AHandlerCanTurnAMessageIntoAnother) {
  const HWND h = window.hwnd();
  cFormSubclass hook(owner);
  ASSERT_TRUE(hook.AddWindowMsgs(h));
  owner.onMsg = [](bool&, LRESULT&, HWND&, UINT& msg, WPARAM&, LPARAM&) {
    if (msg == WM_APP + 60)
      msg = kEcho;
  };
  EXPECT_EQ(SendMessageW(h, WM_APP + 60, 2, 0), 5);
  EXPECT_EQ(window.trace().Seen(kEcho), 1);
  EXPECT_EQ(window.trace().Seen(WM_APP + 60), 0);
}

TEST_F(FormSubclass, AUnicodeWindowKeepsItsTextsWhole) {
  const HWND h = window.hwnd();
  cFormSubclass hook(owner);
  ASSERT_TRUE(hook.AddWindowMsgs(h));
  EXPECT_TRUE(IsWindowUnicode(h));
  const wchar_t* title = L"Orvane\x5BA2\x6237\x7AEF";
  ASSERT_TRUE(SetWindowTextW(h, title));
  EXPECT_EQ(window.trace().lastText, title);
  EXPECT_EQ(owner.Count(WM_SETTEXT), 1);
  wchar_t back[32] = {};
  GetWindowTextW(h, back, 32);
  EXPECT_STREQ(back, title);
}

TEST_F(FormSubclass, DeleteWindowMsgChangesNothing) {
  const HWND h = window.hwnd();
  cFormSubclass hook(owner);
  ASSERT_TRUE(hook.AddWindowMsgs(h));
  const WNDPROC hooked = window.Procedure();
  EXPECT_FALSE(hook.DeleteWindowMsg(h));
  EXPECT_EQ(window.Procedure(), hooked);
  SendMessageW(h, kEcho, 0, 0);
  EXPECT_EQ(owner.Count(kEcho), 1);
}

TEST_F(FormSubclass, DestructionPutsTheProcedureBackAndFreesAtOnce) {
  const HWND h = window.hwnd();
  const WNDPROC own = window.Procedure();
  {
    cFormSubclass hook(owner);
    ASSERT_TRUE(hook.AddWindowMsgs(h));
    EXPECT_NE(window.Procedure(), own);
    EXPECT_EQ(Live(), 1);
  }
  EXPECT_EQ(window.Procedure(), own);
  EXPECT_EQ(Live(), 0);
  SendMessageW(h, kEcho, 0, 0);
  EXPECT_TRUE(owner.seen.empty());
}

TEST_F(FormSubclass, ASecondHookOfTheSameWindowStandsInFrontOfTheFirst) {
  const HWND h = window.hwnd();
  const WNDPROC own = window.Procedure();
  {
    cFormSubclass hook(owner);
    ASSERT_TRUE(hook.AddWindowMsgs(h));
    ASSERT_TRUE(hook.AddWindowMsgs(h));
    EXPECT_EQ(Live(), 2);
    int order = 0;
    owner.onMsg = [&](bool&, LRESULT&, HWND&, UINT& msg, WPARAM& wParam, LPARAM&) {
      // The front hook sees the message first, the one behind it sees its change.
      if (msg == kEcho)
        wParam = wParam * 10 + (++order);
    };
    EXPECT_EQ(SendMessageW(h, kEcho, 0, 0), 25);  // wParam 0 -> 1 -> 12
    EXPECT_EQ(owner.Count(kEcho), 2);
  }
  EXPECT_EQ(window.Procedure(), own);
  EXPECT_EQ(Live(), 0);
}

TEST_F(FormSubclass, DestroyedFromInsideAReportTheRunningHookIsFreedAfterItReturns) {
  const HWND h = window.hwnd();
  const WNDPROC own = window.Procedure();
  auto hook = std::make_unique<cFormSubclass>(owner);
  ASSERT_TRUE(hook->AddWindowMsgs(h));
  int liveInside = -1;
  owner.onMsg = [&](bool&, LRESULT&, HWND&, UINT& msg, WPARAM& wParam, LPARAM&) {
    if (msg != kEcho || !hook)
      return;
    hook.reset();  // what unloading the main window does from inside its own message
    liveInside = Live();
    wParam = 7;  // the running call still carries the handler's change
  };
  EXPECT_EQ(SendMessageW(h, kEcho, 1, 0), 15);
  EXPECT_EQ(liveInside, 1);
  EXPECT_EQ(window.trace().lastWParam[kEcho], 7u);
  EXPECT_EQ(window.Procedure(), own);
  EXPECT_EQ(Live(), 1);
  EXPECT_TRUE(Released());
  EXPECT_EQ(SendMessageW(h, kEcho, 2, 0), 5);
  EXPECT_EQ(owner.Count(kEcho), 1);
}

TEST_F(FormSubclass, AWindowDestroyedWhileHookedFreesItsRecord) {
  cFormSubclass hook(owner);
  {
    TestWindow doomed;
    ASSERT_TRUE(hook.AddWindowMsgs(doomed.hwnd()));
  }
  EXPECT_EQ(owner.Count(WM_NCDESTROY), 1);
  EXPECT_TRUE(Released());
  // The freed slot is used again.
  ASSERT_TRUE(hook.AddWindowMsgs(window.hwnd()));
  SendMessageW(window.hwnd(), kEcho, 0, 0);
  EXPECT_EQ(owner.Count(kEcho), 1);
}

TEST_F(FormSubclass, BothHooksOnOneWindowUnhookInAnyOrder) {
  // The form hook over the window hook, as on the main window: the window hook lets go
  // first, while the form hook still stands in front of it.
  const HWND h = window.hwnd();
  const WNDPROC own = window.Procedure();
  hooktest::RecordingOwner subclassOwner;
  hooktest::RecordingLog log;
  auto inner = std::make_unique<CSubclass>(subclassOwner, log);
  ASSERT_TRUE(inner->ssc_Subclass(h));
  inner->ssc_AddMsg(h, kEcho, WHEN_BEFORE);
  auto outer = std::make_unique<cFormSubclass>(owner);
  ASSERT_TRUE(outer->AddWindowMsgs(h));
  EXPECT_EQ(SendMessageW(h, kEcho, 1, 0), 3);
  EXPECT_EQ(owner.Count(kEcho), 1);
  EXPECT_EQ(subclassOwner.Count(kEcho, true), 1);

  inner.reset();
  EXPECT_EQ(SendMessageW(h, kEcho, 2, 0), 5);
  EXPECT_EQ(owner.Count(kEcho), 2);
  EXPECT_EQ(subclassOwner.Count(kEcho, true), 1);
  EXPECT_EQ(Live(), 2);

  outer.reset();
  EXPECT_EQ(SendMessageW(h, kEcho, 3, 0), 7);
  EXPECT_EQ(window.Procedure(), own);
  EXPECT_TRUE(Released());
  EXPECT_EQ(window.trace().Seen(kEcho), 3);
  EXPECT_TRUE(log.lines.empty());
}

}  // namespace
}  // namespace orvane::win32
