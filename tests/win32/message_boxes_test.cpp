// The client's message boxes as real MessageBoxW windows under Wine: the box is found while
// it runs its own modal loop, its text, title, icon and buttons are read back, and its
// buttons are pressed.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "app/win32/win32_message_boxes.h"
#include "base/win32/text_encoding.h"
#include "base/product.h"

namespace orvane::win32 {
namespace {

// What the test saw of the box, read inside its modal loop.
struct SeenBox {
  bool found = false;
  std::wstring title;
  std::wstring text;
  HICON icon = nullptr;
  std::vector<int> buttons;  // IDOK, IDYES, IDNO, IDCANCEL present
};

// The box runs its own modal loop; a thread timer inspects it from inside that loop and
// presses `press`.
struct BoxInspector {
  SeenBox seen;
  int press = IDOK;
  int ticks = 0;
};
BoxInspector* g_inspector = nullptr;

// The box's icon and text live in static controls: one with the icon style, one with the
// text (0xFFFF on Windows; found by style rather than number, so any numbering works).
BOOL CALLBACK FindStaticChildren(HWND child, LPARAM param) {
  auto* seen = reinterpret_cast<SeenBox*>(param);
  wchar_t cls[32] = {};
  ::GetClassNameW(child, cls, 32);
  if (_wcsicmp(cls, L"Static") != 0) {
    return TRUE;
  }
  if ((::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
    seen->icon = reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0));
  } else if (seen->text.empty()) {
    wchar_t text[512] = {};
    ::GetWindowTextW(child, text, 512);
    seen->text = text;
  }
  return TRUE;
}

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
  wchar_t cls[32] = {};
  ::GetClassNameW(window, cls, 32);
  if (std::wstring(cls) != L"#32770" || !::IsWindowVisible(window)) {
    return TRUE;
  }
  *reinterpret_cast<HWND*>(param) = window;
  return FALSE;
}

void CALLBACK Inspect(HWND, UINT, UINT_PTR timer, DWORD) {
  BoxInspector& inspector = *g_inspector;
  HWND box = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
  if (box == nullptr) {
    if (++inspector.ticks > 200) {
      ::KillTimer(nullptr, timer);  // the test then fails on `found`
    }
    return;
  }
  ::KillTimer(nullptr, timer);
  SeenBox& seen = inspector.seen;
  seen.found = true;
  wchar_t buffer[512] = {};
  ::GetWindowTextW(box, buffer, 512);
  seen.title = buffer;
  ::EnumChildWindows(box, FindStaticChildren, reinterpret_cast<LPARAM>(&seen));
  for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
    if (HWND button = ::GetDlgItem(box, id); button != nullptr && ::IsWindowVisible(button)) {
      seen.buttons.push_back(id);
    }
  }
  HWND button = ::GetDlgItem(box, inspector.press);
  if (button == nullptr) {
    // The box would never end: press whatever ends it so the test can fail instead.
    button = ::GetDlgItem(box, seen.buttons.empty() ? IDOK : seen.buttons.front());
  }
  ::PostMessageW(button, BM_CLICK, 0, 0);
}

struct Shown {
  MessageAnswer answer;
  SeenBox seen;
};

Shown ShowAndPress(const MessageBoxRequest& request, int press) {
  BoxInspector inspector;
  inspector.press = press;
  g_inspector = &inspector;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, Inspect);
  Win32MessageBoxes boxes;
  const MessageAnswer answer = boxes.ShowMessageBox(request);
  ::KillTimer(nullptr, timer);
  g_inspector = nullptr;
  return {answer, inspector.seen};
}

// The system's shared icons: 32515 warning (exclamation), 32514 question, 32516
// information (asterisk).
constexpr int kWarningIcon = 32515;
constexpr int kQuestionIcon = 32514;
constexpr int kInformationIcon = 32516;
HICON SystemIcon(int id) {
  return ::LoadIconW(nullptr, MAKEINTRESOURCEW(id));
}

TEST(Win32MessageBoxes, TheNoConnectionNoticeIsAWarningWithOneOkButton) {
  const Shown shown = ShowAndPress(
      {kNoConnectionMessage, kMessageTitle, MessageIcon::kWarning, MessageButtons::kOk}, IDOK);
  ASSERT_TRUE(shown.seen.found) << "no message box window appeared";
  EXPECT_EQ(shown.seen.title, L"提示");
  EXPECT_EQ(shown.seen.text, L"未能连接到服务器，请检查网络连接是否正常！");
  EXPECT_EQ(shown.seen.text, Utf8ToWide(kNoConnectionMessage));
  EXPECT_EQ(shown.seen.buttons, std::vector<int>{IDOK});
  ASSERT_NE(shown.seen.icon, nullptr);
  EXPECT_EQ(shown.seen.icon, SystemIcon(kWarningIcon));
  EXPECT_EQ(shown.answer, MessageAnswer::kOk);
}

TEST(Win32MessageBoxes, TheUpdateOfferIsAQuestionWhoseYesAndNoAreTheAnswers) {
  const MessageBoxRequest offer{kNewVersionMessage, kMessageTitle, MessageIcon::kQuestion,
                                MessageButtons::kYesNo};
  const Shown yes = ShowAndPress(offer, IDYES);
  ASSERT_TRUE(yes.seen.found) << "no message box window appeared";
  EXPECT_EQ(yes.seen.title, L"提示");
  EXPECT_EQ(yes.seen.text, L"发现有新版本，是否现在更新！");
  EXPECT_EQ(yes.seen.buttons, (std::vector<int>{IDYES, IDNO}));
  EXPECT_EQ(yes.seen.icon, SystemIcon(kQuestionIcon));
  EXPECT_NE(yes.seen.icon, SystemIcon(kWarningIcon));
  EXPECT_EQ(yes.answer, MessageAnswer::kYes);

  const Shown no = ShowAndPress(offer, IDNO);
  ASSERT_TRUE(no.seen.found);
  EXPECT_EQ(no.answer, MessageAnswer::kNo);
}

TEST(Win32MessageBoxes, TheCacheNoticeIsAnInformationWithOneOkButton) {
  const Shown shown = ShowAndPress(
      {"缓存已清理完毕！", "缓存清理", MessageIcon::kInformation, MessageButtons::kOk}, IDOK);
  ASSERT_TRUE(shown.seen.found) << "no message box window appeared";
  EXPECT_EQ(shown.seen.title, L"缓存清理");
  EXPECT_EQ(shown.seen.text, L"缓存已清理完毕！");
  EXPECT_EQ(shown.seen.buttons, std::vector<int>{IDOK});
  EXPECT_EQ(shown.seen.icon, SystemIcon(kInformationIcon));
  EXPECT_NE(shown.seen.icon, SystemIcon(kWarningIcon));
  EXPECT_EQ(shown.answer, MessageAnswer::kOk);
}

TEST(Win32MessageBoxes, TheUpToDateNoticeIsAWarningWithItsOwnText) {
  const Shown shown = ShowAndPress(
      {kUpToDateMessage, kMessageTitle, MessageIcon::kWarning, MessageButtons::kOk}, IDOK);
  ASSERT_TRUE(shown.seen.found);
  EXPECT_EQ(shown.seen.text, L"当前版本已是最新，无需更新！");
}

}  // namespace
}  // namespace orvane::win32
