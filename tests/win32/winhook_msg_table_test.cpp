// The message filter tables of the window hook: the table rules on their own, then the
// same rules seen through a hooked window's reports and the overflow error line.
#include <windows.h>

#include <gtest/gtest.h>

#include "winhook/msg_table.h"
#include "winhook_test_support.h"

namespace orvane::win32 {
namespace {

using hooktest::HookTest;
using hooktest::RecordingLog;
using hooktest::RecordingOwner;
using hooktest::TestWindow;

constexpr char kOverflowLine[] =
    "CSubclass.zAddMsg: Message table overflow. Either increase the value of Const "
    "MSG_ENTRIES or use ALL_MESSAGES instead of specific message values";

TEST(MsgTable, EmptyMatchesNothingAndAllMatchesEverything) {
  MsgTable t;
  EXPECT_EQ(t.Count(), 0);
  EXPECT_FALSE(t.Contains(WM_SIZE));
  EXPECT_EQ(t.Add(ALL_MESSAGES), MsgTable::AddResult::kAdded);
  EXPECT_EQ(t.Count(), -1);
  EXPECT_TRUE(t.Contains(WM_SIZE));
  EXPECT_TRUE(t.Contains(0));
  t.Delete(ALL_MESSAGES);
  EXPECT_EQ(t.Count(), 0);
  EXPECT_FALSE(t.Contains(WM_SIZE));
}

TEST(MsgTable, OneMessageNarrowsAnEverythingTable) {
  MsgTable t;
  t.Add(ALL_MESSAGES);
  EXPECT_EQ(t.Add(WM_PAINT), MsgTable::AddResult::kAdded);
  EXPECT_EQ(t.Count(), 1);
  EXPECT_TRUE(t.Contains(WM_PAINT));
  EXPECT_FALSE(t.Contains(WM_SIZE));
}

TEST(MsgTable, DeletingOneMessageFromAnEverythingTableDoesNothing) {
  MsgTable t;
  t.Add(ALL_MESSAGES);
  t.Delete(WM_SIZE);
  EXPECT_EQ(t.Count(), -1);
  EXPECT_TRUE(t.Contains(WM_SIZE));
}

TEST(MsgTable, DeleteEmptiesTheSlotAndKeepsTheCount) {
  MsgTable t;
  t.Add(WM_SIZE);
  t.Add(WM_PAINT);
  t.Delete(WM_SIZE);
  EXPECT_EQ(t.Count(), 2);
  EXPECT_FALSE(t.Contains(WM_SIZE));
  EXPECT_TRUE(t.Contains(WM_PAINT));
  // The emptied slot matches no message, not even message 0.
  EXPECT_FALSE(t.Contains(0));
  // The next message goes into the emptied slot.
  t.Add(WM_MOVE);
  EXPECT_EQ(t.Count(), 2);
  EXPECT_TRUE(t.Contains(WM_MOVE));
}

TEST(MsgTable, AMessageBehindAnEmptiedSlotIsNotStoredTwice) {
  MsgTable t;
  t.Add(WM_SIZE);
  t.Add(WM_PAINT);
  t.Delete(WM_SIZE);
  EXPECT_EQ(t.Add(WM_PAINT), MsgTable::AddResult::kPresent);
  // One delete must be enough to stop the message.
  t.Delete(WM_PAINT);
  EXPECT_FALSE(t.Contains(WM_PAINT));
}

TEST(MsgTable, HoldsThirtyTwoMessagesAndRefusesTheThirtyThird) {
  MsgTable t;
  for (UINT m = 1; m <= 32; ++m)
    EXPECT_EQ(t.Add(WM_APP + m), MsgTable::AddResult::kAdded);
  EXPECT_EQ(t.Count(), 32);
  EXPECT_EQ(t.Add(WM_APP + 33), MsgTable::AddResult::kOverflow);
  EXPECT_EQ(t.Count(), 32);
  EXPECT_FALSE(t.Contains(WM_APP + 33));
  EXPECT_EQ(t.Add(WM_APP + 5), MsgTable::AddResult::kPresent);
}

class SubclassTables : public HookTest {
 protected:
  void SetUp() override {
    HookTest::SetUp();
    ASSERT_TRUE(IsWindow(window.hwnd()));
    ASSERT_TRUE(hook.ssc_Subclass(window.hwnd()));
  }
  TestWindow window;
  RecordingOwner owner;
  RecordingLog log;
  CSubclass hook{owner, log};
};

TEST_F(SubclassTables, ThirtyTwoMessagesThenOverflowThenReuseOfAnEmptiedSlot) {
  const HWND h = window.hwnd();
  for (UINT m = 1; m <= 32; ++m)
    hook.ssc_AddMsg(h, WM_APP + 100 + m, WHEN_BEFORE);
  EXPECT_TRUE(log.lines.empty());

  hook.ssc_AddMsg(h, WM_APP + 200, WHEN_BEFORE);
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_EQ(log.lines[0], kOverflowLine);

  SendMessageW(h, WM_APP + 132, 0, 0);
  SendMessageW(h, WM_APP + 200, 0, 0);
  EXPECT_EQ(owner.Count(WM_APP + 132, true), 1);
  EXPECT_EQ(owner.Count(WM_APP + 200, true), 0);

  hook.ssc_DelMsg(h, WHEN_BEFORE, static_cast<UINT>(WM_APP + 110));
  hook.ssc_AddMsg(h, WM_APP + 200, WHEN_BEFORE);
  EXPECT_EQ(log.lines.size(), 1u);
  SendMessageW(h, WM_APP + 110, 0, 0);
  SendMessageW(h, WM_APP + 200, 0, 0);
  EXPECT_EQ(owner.Count(WM_APP + 110, true), 0);
  EXPECT_EQ(owner.Count(WM_APP + 200, true), 1);
  // The messages are reported before the window's procedure only.
  EXPECT_EQ(owner.Count(WM_APP + 200, false), 0);
  EXPECT_EQ(window.trace().Seen(WM_APP + 200), 2);
}

TEST_F(SubclassTables, AFullBeforeTableDoesNotStopTheAfterTable) {
  const HWND h = window.hwnd();
  for (UINT m = 1; m <= 32; ++m)
    hook.ssc_AddMsg(h, WM_APP + 100 + m, WHEN_BEFORE);
  hook.ssc_AddMsg(h, WM_APP + 300, WHEN_BOTH);
  EXPECT_EQ(log.lines.size(), 1u);
  SendMessageW(h, WM_APP + 300, 0, 0);
  EXPECT_EQ(owner.Count(WM_APP + 300, true), 0);
  EXPECT_EQ(owner.Count(WM_APP + 300, false), 1);
}

TEST_F(SubclassTables, AddingAMessageAlreadyPresentChangesNothing) {
  const HWND h = window.hwnd();
  hook.ssc_AddMsg(h, hooktest::kEcho, WHEN_AFTER);
  hook.ssc_AddMsg(h, hooktest::kEcho, WHEN_AFTER);
  SendMessageW(h, hooktest::kEcho, 1, 0);
  EXPECT_EQ(owner.Count(hooktest::kEcho, false), 1);
  hook.ssc_DelMsg(h, WHEN_AFTER, static_cast<UINT>(hooktest::kEcho));
  SendMessageW(h, hooktest::kEcho, 1, 0);
  EXPECT_EQ(owner.Count(hooktest::kEcho, false), 1);
  EXPECT_TRUE(log.lines.empty());
}

TEST_F(SubclassTables, AllMessagesAndItsRemoval) {
  const HWND h = window.hwnd();
  hook.ssc_AddMsg(h, ALL_MESSAGES, WHEN_BEFORE);
  SendMessageW(h, WM_APP + 7, 0, 0);
  SendMessageW(h, WM_APP + 8, 0, 0);
  EXPECT_EQ(owner.Count(WM_APP + 7, true), 1);
  EXPECT_EQ(owner.Count(WM_APP + 8, true), 1);
  // ALL_MESSAGES passed as a plain -1 works as well.
  hook.ssc_DelMsg(h, WHEN_BEFORE, -1);
  SendMessageW(h, WM_APP + 7, 0, 0);
  EXPECT_EQ(owner.Count(WM_APP + 7, true), 1);
}

TEST_F(SubclassTables, DelMsgTakesSeveralMessagesAndSkipsWhatIsNoInteger) {
  const HWND h = window.hwnd();
  for (UINT m : {WM_USER + 1u, WM_USER + 2u, WM_USER + 3u, WM_USER + 4u}) {
    hook.ssc_AddMsg(h, m, WHEN_BOTH);
  }
  const short sixteen = static_cast<short>(WM_USER + 2);
  hook.ssc_DelMsg(h, WHEN_AFTER, static_cast<UINT>(WM_USER + 1), "text", sixteen, 2.5,
                  static_cast<long long>(WM_USER + 3), true);
  for (UINT m : {WM_USER + 1u, WM_USER + 2u, WM_USER + 3u, WM_USER + 4u}) {
    SendMessageW(h, m, 0, 0);
  }
  // The before-table was not selected.
  for (UINT m : {WM_USER + 1u, WM_USER + 2u, WM_USER + 3u, WM_USER + 4u}) {
    EXPECT_EQ(owner.Count(m, true), 1) << m;
  }
  EXPECT_EQ(owner.Count(WM_USER + 1, false), 0);
  EXPECT_EQ(owner.Count(WM_USER + 2, false), 0);
  // A 64-bit integer is not one of the accepted kinds.
  EXPECT_EQ(owner.Count(WM_USER + 3, false), 1);
  EXPECT_EQ(owner.Count(WM_USER + 4, false), 1);
}

}  // namespace
}  // namespace orvane::win32
