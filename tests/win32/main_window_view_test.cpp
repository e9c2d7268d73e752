// The main window's Windows view, its game pages and the exit confirmation as real windows
// under Wine: what the design makes, how the view converts the layout's twips, which native
// messages reach the window's events (hotkey, tray, the three ways of closing), the modal
// confirmation with the hotkey still working, and 50 pages hosted and closed without a
// leaked drawing or window object.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/win32/msg_frm_window.h"
#include "mainwin/win32/web_main_frm_window.h"
#include "mainwin/win32/web_url_window.h"
#include "support/scripted_browser.h"
#include "support/win32/real_input.h"
#include "tab_strip_gdi_count.h"
#include "tabstrip/tab_form.h"
#include "tabstrip/tab_items.h"
#include "widgets/button.h"

namespace orvane::win32 {
namespace {

class Events final : public WebMainFrmEvents, public cSetStyleEvents, public MsgFrmEvents {
 public:
  void Form_Resize() override { ++resizes; }
  void Form_CloseRequested() override { ++close_requests; }
  void BossKeyPressed() override {
    ++boss_keys;
    if (during_boss_key) {
      during_boss_key();
    }
  }
  void TrayMessage(std::uint32_t mouse_message) override { tray.push_back(mouse_message); }
  void ContentPointer() override { ++pointers; }
  void CloseClick() override { ++close_clicks; }

  int resizes = 0;
  int close_requests = 0;
  int boss_keys = 0;
  int pointers = 0;
  int close_clicks = 0;
  std::vector<std::uint32_t> tray;
  std::function<void()> during_boss_key;
};

class NoPageEvents final : public browser::BrowserEvents {
 public:
  void DocumentComplete(browser::DocumentId, const std::string&) override {}
  void TitleChange(const std::string&) override {}
  void BeforeNavigate2(const std::string&, bool&) override {}
  void NewWindow(const std::string&, bool&) override {}
};

BrowserFactory Scripted(std::vector<test::ScriptedBrowser*>* made) {
  return [made](HWND, browser::BrowserEvents& owner) -> std::unique_ptr<browser::Browser> {
    auto browser = std::make_unique<test::ScriptedBrowser>(owner);
    made->push_back(browser.get());
    return browser;
  };
}

Rect ChildRect(HWND child) {
  RECT rect{};
  ::GetWindowRect(child, &rect);
  POINT at{rect.left, rect.top};
  ::ScreenToClient(::GetParent(child), &at);
  return Rect{at.x, at.y, rect.right - rect.left, rect.bottom - rect.top};
}

MsgFrmWindow* g_watched = nullptr;

void CALLBACK EndWatched(HWND, UINT, UINT_PTR, DWORD) {
  if (g_watched != nullptr) {
    g_watched->Unload();
  }
}

class MainWindowViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view_ = std::make_unique<WebMainFrmWindow>(events_, Scripted(&browsers_), nullptr);
    window_ = view_->Window();
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override { view_.reset(); }

  Events events_;
  std::vector<test::ScriptedBrowser*> browsers_;
  std::unique_ptr<WebMainFrmWindow> view_;
  HWND window_ = nullptr;
};

TEST_F(MainWindowViewTest, TheDesignMakesTheChildrenInPlaceWithTheBarAtTheBottom) {
  EXPECT_FALSE(::IsWindowVisible(window_));
  EXPECT_EQ(::GetClassLongPtrW(window_, GCLP_HCURSOR), 0) << "no class cursor";
  // Design rectangles in twips, converted at 15 twips a pixel.
  EXPECT_EQ(ChildRect(view_->ButtonWindow(MainWindowControl::web_tool)), (Rect{840, 1, 24, 18}));
  EXPECT_EQ(ChildRect(view_->ButtonWindow(MainWindowControl::web_close)), (Rect{912, 1, 43, 18}));
  EXPECT_EQ(ChildRect(view_->ButtonWindow(MainWindowControl::OtherUserBtn)),
            (Rect{712, 0, 99, 22}));
  EXPECT_EQ(ChildRect(view_->TabStripWindow()).x, 144);
  EXPECT_EQ(view_->OtherUserBtn().Caption(), "登录其他帐号");
  EXPECT_EQ(view_->GameSpaceBtn().Caption(), "游戏官网");
  EXPECT_NE(view_->GameSpaceBtn().BackPicture(), nullptr);
  EXPECT_EQ(view_->web_minmax().Style(), 1);
  // The caption bar is the last child in the z-order, behind the buttons it lies under.
  EXPECT_EQ(::GetWindow(view_->CaptionBarWindow(), GW_HWNDNEXT), nullptr);
  EXPECT_EQ(::GetWindow(window_, GW_CHILD) != view_->CaptionBarWindow(), true);
  // The placeholder covers the container; its idle browser's border lies outside it.
  EXPECT_TRUE(view_->Picture1Visible());
  EXPECT_EQ(ChildRect(view_->Picture1Window()), ChildRect(view_->ContainerWindow()));
  ASSERT_EQ(browsers_.size(), 1U);
  const Rect picture = ChildRect(view_->Picture1Window());
  EXPECT_EQ(browsers_[0]->Placement().left, -2);
  EXPECT_EQ(browsers_[0]->Placement().width, picture.width + 4);
  view_->HidePicture1();
  EXPECT_FALSE(view_->Picture1Visible());
}

TEST_F(MainWindowViewTest, TheLayoutsTwipsBecomePixelsAndTheBarAndStripKeepTheirHeights) {
  const int bar_height = ChildRect(view_->CaptionBarWindow()).height;
  const int strip_height = ChildRect(view_->TabStripWindow()).height;
  view_->Move(MainWindowControl::WebBForm, Rect{0, 0, 30000, 495});
  view_->Move(MainWindowControl::WebuTab, Rect{2300, 45, 23100, 999});
  EXPECT_EQ(strip_height, 32) << "the height of tab style 1";
  view_->Move(MainWindowControl::web_close, Rect{29270, 15, 645, 270});
  view_->Move(MainWindowControl::pCnt, Rect{60, 480, 29880, 14460});
  EXPECT_EQ(ChildRect(view_->CaptionBarWindow()), (Rect{0, 0, 2000, bar_height}));
  EXPECT_EQ(ChildRect(view_->TabStripWindow()), (Rect{153, 3, 1540, strip_height}));
  EXPECT_EQ(ChildRect(view_->ButtonWindow(MainWindowControl::web_close)), (Rect{1951, 1, 43, 18}));
  EXPECT_EQ(ChildRect(view_->ContainerWindow()), (Rect{4, 32, 1992, 964}));
  EXPECT_EQ(view_->TabStripHeight(), strip_height * 15);
}

TEST_F(MainWindowViewTest, TheBorderlessWindowKeepsTheDesignSizeAndTakesItsRegion) {
  view_->SetWindowStyle(events_);
  const Rect whole = view_->WindowRect();
  EXPECT_EQ(whole.width, 15540);
  EXPECT_EQ(whole.height, 9585);
  EXPECT_EQ(view_->ClientSize(), (Size{15540, 9585}));
  EXPECT_EQ(::GetWindowLongPtrW(window_, GWL_STYLE) & WS_CAPTION, 0);
  // A rounded region leaves out its right and bottom edge: one more than the window's size
  // covers it exactly.
  view_->SetRoundedRegion(1037, 640, 6);
  RECT box{};
  ASSERT_NE(::GetWindowRgnBox(window_, &box), ERROR);
  EXPECT_EQ(box.right, 1036);
  EXPECT_EQ(box.bottom, 639);
}

TEST_F(MainWindowViewTest, HotkeyTrayAndEveryCloseReachTheEventsOnce) {
  view_->HookHotKey();
  view_->SetWindowStyle(events_);
  ::PostMessageW(window_, WM_HOTKEY, 1000, MAKELPARAM(0, VK_F10));
  ::PostMessageW(window_, kTrayCallbackMessage, 1000, WM_LBUTTONUP);
  ::PostMessageW(window_, kTrayCallbackMessage, 1000, WM_RBUTTONUP);
  ::PostMessageW(window_, kTrayCallbackMessage, 1000, WM_MOUSEMOVE);
  test_input::Pump();
  EXPECT_EQ(events_.boss_keys, 1);
  EXPECT_EQ(events_.tray, (std::vector<std::uint32_t>{WM_LBUTTONUP, WM_RBUTTONUP, WM_MOUSEMOVE}));

  // The system's close command goes to the borderless behaviour's CloseClick only; a plain
  // close message is the window's own close request. Neither closes the window.
  ::SendMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(events_.close_clicks, 1);
  EXPECT_EQ(events_.close_requests, 0);
  ::SendMessageW(window_, WM_CLOSE, 0, 0);
  EXPECT_EQ(events_.close_requests, 1);
  EXPECT_TRUE(::IsWindow(window_));
  view_->UnhookHotKey();
  ::PostMessageW(window_, WM_HOTKEY, 1000, MAKELPARAM(0, VK_F10));
  test_input::Pump();
  EXPECT_EQ(events_.boss_keys, 1) << "unhooked: the key goes nowhere";
}

TEST_F(MainWindowViewTest, TheConfirmationIsModalAndTheHotkeyWorksWhileItIsOpen) {
  view_->HookHotKey();
  view_->Show();
  MsgFrmWindow confirmation(events_);
  bool main_enabled_meanwhile = true;
  events_.during_boss_key = [&] {
    main_enabled_meanwhile = ::IsWindowEnabled(window_) != 0;
    view_->Hide();  // what the boss key does
    confirmation.Unload();
  };
  // The hotkey arrives while the confirmation's own loop runs.
  ::PostMessageW(window_, WM_HOTKEY, 1000, MAKELPARAM(0, VK_F10));
  const int resizes_before = events_.resizes;
  // Should the key never arrive, a late timer ends the confirmation instead of a hang.
  g_watched = &confirmation;
  const UINT_PTR watchdog = ::SetTimer(nullptr, 0, 10000, &EndWatched);
  confirmation.ShowModal();
  ::KillTimer(nullptr, watchdog);
  g_watched = nullptr;
  EXPECT_GT(events_.resizes, resizes_before) << "the resize runs before the window shows";
  EXPECT_EQ(events_.boss_keys, 1);
  EXPECT_FALSE(main_enabled_meanwhile) << "the main window takes no input meanwhile";
  EXPECT_FALSE(::IsWindowVisible(window_));
  EXPECT_TRUE(::IsWindowEnabled(window_)) << "enabled again after the confirmation";
  EXPECT_FALSE(::IsWindowVisible(confirmation.Window()));
}

TEST(MsgFrmWindowTest, TheDesignIsCentredWhiteWithTheQuestionAndTheAnswers) {
  Events events;
  MsgFrmWindow window(events);
  RECT rect{};
  ::GetWindowRect(window.Window(), &rect);
  EXPECT_EQ(rect.right - rect.left, 242);
  EXPECT_EQ(rect.bottom - rect.top, 140);
  EXPECT_EQ(rect.left, (::GetSystemMetrics(SM_CXSCREEN) - 242) / 2);
  wchar_t text[64] = {};
  ::GetWindowTextW(window.LabelWindow(), text, 64);
  EXPECT_STREQ(text, L"窗口即将关闭，确定要退出游戏？");
  EXPECT_EQ(window.iButton1().Caption(), "是");
  EXPECT_EQ(window.iButton2().Caption(), "否");
  EXPECT_EQ(ChildRect(window.YesWindow()), (Rect{56, 88, 65, 25}));
  window.SetCloseButtonLeft(3630 - 730);
  EXPECT_EQ(ChildRect(window.CloseWindow()).x, 193);
  EXPECT_EQ(window.ScaleSize(), (Size{3630, 2100}));
}

// A game page as the tab strip hosts it.
class Page final : public ITabForm {
 public:
  Page(browser::BrowserEvents& events, const BrowserFactory& make)
      : window_(std::make_unique<WebUrlWindow>(events, make)) {}
  WindowHandle hWnd() const override { return window_ ? window_->hWnd() : 0; }
  void Initialize(IuTab*, std::weak_ptr<CTabItem>) override {}
  void RefreshPage() override {}
  void Unload() noexcept override { window_.reset(); }

 private:
  std::unique_ptr<WebUrlWindow> window_;
};

TEST_F(MainWindowViewTest, FiftyPagesHostedAndClosedLeaveNoObjectBehind) {
  uTabWindow& strip = view_->TabStrip();
  strip.Strip().SethContainerWnd(view_->pCnt());
  strip.Strip().LockReDraw(false);
  view_->Show();
  NoPageEvents page_events;
  auto add = [&](int i) {
    const std::string key = "Gamehttp://game.example/" + std::to_string(i);
    strip.TabItems().Add(key, std::make_shared<Page>(page_events, Scripted(&browsers_)), key);
    strip.TabItems().SetSelected(strip.TabItems().Count() - 1);
  };
  add(0);
  const auto fifty_tabs = [&] {
    for (int i = 1; i <= 50; ++i) {
      add(i);
    }
    test_input::Pump();
    EXPECT_EQ(strip.TabItems().Count(), 51);
    // The selected page lies in the container as a child, filling it.
    const HWND page = ::GetWindow(view_->ContainerWindow(), GW_CHILD);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(ChildRect(page).width, ChildRect(view_->ContainerWindow()).width);
    while (strip.TabItems().Count() > 1) {
      strip.TabItems().Remove(static_cast<double>(strip.TabItems().Count() - 1), true);
    }
    test_input::Pump();
  };
  // The first round makes what the process keeps for as many tabs (the strip's buffers,
  // the system's window surfaces); every later round must give back all it takes.
  fifty_tabs();
  const DWORD gdi = testing::GdiObjectCount();
  const DWORD user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
  fifty_tabs();
  EXPECT_EQ(testing::GdiObjectCount(), gdi);
  EXPECT_EQ(::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS), user);
}

}  // namespace
}  // namespace orvane::win32
