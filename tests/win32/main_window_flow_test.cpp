// The client and the main window's logic inside the real Windows windows under Wine, with
// scripted browsers in the login frame and the game pages: logins to tabs, the program menu
// popped up by its button, the three ways of closing with one confirmation each and its answers,
// the boss key and the tray while the confirmation is open, the layout's pixels at two window
// sizes, the first restore, and 50 tabs opened and closed without a leaked object. Soak: 1,000
// tabs opened and closed one at a time through their close boxes, and the login screen shown
// and closed 50 times from the main window, each without a leaked drawing or window object.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/client.h"
#include "app/public_data.h"
#include "app/win32/msg_frm_window.h"
#include "app/win32/win32_client_views.h"
#include "app/win32/win32_files.h"
#include "base/resources.h"
#include "base/units.h"
#include "app/win32/win32_platform.h"
#include "base/temp_folder.h"
#include "mainwin/web_main_frm.h"
#include "mainwin/win32/web_main_frm_window.h"
#include "mainwin/win32/web_url_window.h"
#include "support/scripted_browser.h"
#include "support/win32/real_input.h"
#include "support/win32/screen_shot.h"
#include "tab_strip_gdi_count.h"
#include "tabstrip/tab_hit_test.h"
#include "tabstrip/tab_item.h"
#include "tabstrip/tab_items.h"
#include "tabstrip/utab.h"
#include "widgets/button.h"

namespace orvane::win32 {
namespace {

constexpr char kGameA[] = "http://game.example/s1?u=alpha";
constexpr char kGameB[] = "http://game.example/s2?u=beta";

class Owner final : public WebMainFrmOwner {
 public:
  void ShowLoginScreen() override { ++login_screens; }
  void RunUpdateCommand() override { ++updates; }
  void MainWindowUnloaded() override { ++unloads; }
  int login_screens = 0;
  int updates = 0;
  int unloads = 0;
};

class Dialogs final : public MessageBoxes {
 public:
  MessageAnswer ShowMessageBox(const MessageBoxRequest&) override { return MessageAnswer::kOk; }
};

class Addresses final : public AddressLauncher, public browser::SystemBrowser {
 public:
  bool OpenAddress(const std::string& address) override {
    opened.push_back(address);
    return true;
  }
  void Open(const std::string& address) override { opened.push_back(address); }
  std::vector<std::string> opened;
};

class Cache final : public BrowserCache {
 public:
  void ClearUrlCache(std::string_view, std::uint32_t) override { ++clears; }
  int clears = 0;
};

// While a confirmation is open, `answer` runs from a timer inside its own loop.
struct Confirmations {
  static Confirmations* current;
  int seen = 0;
  std::function<void(HWND confirmation)> answer;

  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    HWND window = ::FindWindowW(L"OrvaneMsgFrm", nullptr);
    if (current == nullptr || window == nullptr || !::IsWindowVisible(window)) {
      return;
    }
    ::KillTimer(nullptr, id);
    ++current->seen;
    if (current->answer) {
      current->answer(window);
    }
  }
};
Confirmations* Confirmations::current = nullptr;

// Should an answer not end the confirmation, it is closed by other means instead of the
// test hanging (the answer's checks then fail).
void CALLBACK CloseStuckConfirmation(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  if (HWND window = ::FindWindowW(L"OrvaneMsgFrm", nullptr)) {
    ::PostMessageW(window, WM_CLOSE, 0, 0);
  }
}

// While the program menu's own loop runs, `look` runs once from a timer inside it with the
// menu's window; the menu is then closed without a choice.
struct OpenMenus {
  static OpenMenus* current;
  int seen = 0;
  std::function<void(HWND menu)> look;

  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    HWND window = ::FindWindowW(L"#32768", nullptr);
    if (current == nullptr || window == nullptr || !::IsWindowVisible(window)) {
      return;
    }
    ::KillTimer(nullptr, id);
    ++current->seen;
    if (current->look) {
      current->look(window);
    }
    ::EndMenu();
  }
};
OpenMenus* OpenMenus::current = nullptr;

void CALLBACK CloseStuckMenu(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  ::EndMenu();
}

// The items of a pop-up menu as shown: their texts, "-" for a separator.
std::vector<std::string> MenuTexts(HMENU menu) {
  std::vector<std::string> texts;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    if (::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) {
      texts.emplace_back("-");
      continue;
    }
    wchar_t text[128] = {};
    ::GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
    char utf8[512] = {};
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof(utf8), nullptr, nullptr);
    texts.emplace_back(utf8);
  }
  return texts;
}

// Presses the answer button at `x`, `y` of the confirmation.
void Press(HWND confirmation, int x, int y) {
  HWND button = ::ChildWindowFromPoint(confirmation, POINT{x, y});
  ASSERT_NE(button, confirmation);
  ::SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  ::SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}
constexpr POINT kYes{60, 105};
constexpr POINT kNo{140, 105};

RECT WindowRectOf(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect;
}

Rect ChildRect(HWND child) {
  RECT rect = WindowRectOf(child);
  POINT at{rect.left, rect.top};
  ::ScreenToClient(::GetParent(child), &at);
  return Rect{at.x, at.y, rect.right - rect.left, rect.bottom - rect.top};
}

void Click(HWND button) {
  ::SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  ::SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

// The platform around the client that this test does not look at: always connected, no
// update file, nothing started.
class QuietPlatform final : public Connectivity,
                            public FileDownloader,
                            public UpdateFiles,
                            public ProgramLauncher {
 public:
  bool IsConnected() override { return true; }
  bool DownLoadFile(const std::string&, const std::string&, bool, bool) override { return false; }
  bool Exists(const std::string&) override { return false; }
  std::unique_ptr<TextLineSource> OpenLines(const std::string&) override { return nullptr; }
  bool ShellOpen(const std::string&, const std::string&) override { return false; }
};

// The scripted browser that `parent` (a frame) holds in a window of class `form_class`.
bool InWindowOfClass(HWND frame, const wchar_t* form_class) {
  wchar_t name[64] = {};
  ::GetClassNameW(::GetParent(frame), name, 64);
  return std::wstring(name) == form_class;
}

// The real Client with its Windows views, whose browsers are scripted: the login page
// and two game pages complete on request. Browsers made in the login screen are kept in
// `logins`, those of game pages in `pages`.
struct ScriptedClient {
  static constexpr char kLoginPage[] = "http://127.0.0.1:1/yy/mirab/microend";
  std::vector<test::ScriptedBrowser*> logins;
  std::vector<test::ScriptedBrowser*> pages;
  Win32ClientViews views{
      [this](HWND frame, browser::BrowserEvents& owner) -> std::unique_ptr<browser::Browser> {
        auto browser = std::make_unique<test::ScriptedBrowser>(owner);
        browser->Serve(kLoginPage, test::ScriptedPage{true, "login"});
        browser->Serve(kGameA, test::ScriptedPage{true, "一区 alpha"});
        browser->Serve(kGameB, test::ScriptedPage{true, "二区 beta"});
        if (InWindowOfClass(frame, L"OrvaneLoginFrm")) {
          logins.push_back(browser.get());
        } else if (InWindowOfClass(frame, L"OrvaneWebUrl")) {
          pages.push_back(browser.get());
        }
        return browser;
      }};
  QuietPlatform platform;
  Dialogs dialogs;
  Addresses addresses;
  Cache cache;
  Win32OutputFiles files;
  ResourceFileWriter resources{LoadResourceBytes, files};
  Win32ProgramLoop loop;
  ClientSettings settings{{GetTempFolder(), "http://127.0.0.1:1/gamehome/mirab/update.txt", "1.1.0",
                           "C:\\Orvane|C:\\Orvane\\Orvane.exe"},
                          "http://127.0.0.1:1/",
                          kLoginPage,
                          "https://portal.example/zt/mirab/"};
  Client client{views,
                {platform, dialogs, addresses, resources, loop, loop, platform, platform, platform,
                 addresses, cache},
                settings};
};

TEST(ClientWindowsFlow, TwoLoginsMakeTwoTabsAndTheSameAccountAgainSelectsItsTab) {
  ScriptedClient rig;
  auto& logins = rig.logins;
  auto& pages = rig.pages;
  Client& client = rig.client;
  ASSERT_TRUE(client.Start(""));
  const auto log_in = [&](const std::string& address) {
    ASSERT_FALSE(logins.empty());
    test::ScriptedBrowser& login = *logins.back();
    ASSERT_TRUE(login.FinishLoading());
    test_input::Pump();
    EXPECT_FALSE(login.PageNavigates("app://loadgame|" + address + "|x"));
    test_input::Pump();
  };
  log_in(kGameA);
  ASSERT_TRUE(client.MainWindowLoaded());
  EXPECT_FALSE(client.LoginScreenLoaded());
  HWND main = ::FindWindowW(L"OrvaneWebMainFrm", nullptr);
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(::IsWindowVisible(main));
  ASSERT_EQ(pages.size(), 1U);

  // "登录其他帐号": the login screen again; a second account, a second tab.
  const auto other_user = [&] {
    // The button sits where the layout puts it: 4850 twips left of the right edge.
    RECT client_rect{};
    ::GetClientRect(main, &client_rect);
    const int left = TwipsToPixels(client_rect.right * 15 - 4850);
    HWND button = nullptr;
    for (HWND child = ::GetWindow(main, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
      const Rect place = ChildRect(child);
      if (place.x == left && place.width == 99) {
        button = child;
      }
    }
    ASSERT_NE(button, nullptr);
    Click(button);
    test_input::Pump();
  };
  other_user();
  ASSERT_TRUE(client.LoginScreenLoaded());
  log_in(kGameB);
  EXPECT_EQ(pages.size(), 2U) << "a second tab";
  // The same account again: no third page.
  other_user();
  log_in(kGameA);
  EXPECT_EQ(pages.size(), 2U);
  EXPECT_TRUE(client.MainWindowLoaded());
  EXPECT_EQ(std::count(pages[0]->Requested().begin(), pages[0]->Requested().end(), kGameA), 1)
      << "the selected tab is not loaded again";
}

// The program's Windows windows, with scripted browsers, remembering the main window.
class Views final : public WebMainFrmViews {
 public:
  std::unique_ptr<WebMainFrmView> CreateMainWindowView(WebMainFrmEvents& events) override {
    auto view = std::make_unique<WebMainFrmWindow>(events, Factory(), nullptr);
    main = view.get();
    return view;
  }
  std::unique_ptr<WebUrlView> CreatePageView(browser::BrowserEvents& events) override {
    return std::make_unique<WebUrlWindow>(events, Factory());
  }
  std::unique_ptr<MsgFrmView> CreateMsgFrmView(MsgFrmEvents& events) override {
    ++confirmations;
    return std::make_unique<MsgFrmWindow>(events);
  }
  BrowserFactory Factory() {
    return [this](HWND, browser::BrowserEvents& owner) -> std::unique_ptr<browser::Browser> {
      auto browser = std::make_unique<test::ScriptedBrowser>(owner);
      browser->Serve(kGameA, test::ScriptedPage{true, "一区 alpha"});
      browser->Serve(kGameB, test::ScriptedPage{true, "二区 beta"});
      browsers.push_back(browser.get());
      return browser;
    };
  }
  WebMainFrmWindow* main = nullptr;
  int confirmations = 0;
  std::vector<test::ScriptedBrowser*> browsers;  // [0] is the idle placeholder's
};

class MainWindowFlowTest : public ::testing::Test {
 protected:
  MainWindowFlowTest()
      : frm_(std::make_unique<WebMainFrm>(
            views_, WebMainFrmPorts{owner_, dialogs_, addresses_, addresses_, cache_, loop_},
            WebMainFrmSettings{GetTempFolder(), "https://portal.example/zt/mirab/", "1.1.0"})) {
    Confirmations::current = &confirmations_;
  }
  ~MainWindowFlowTest() override { Confirmations::current = nullptr; }

  void Open(const std::string& address) {
    frm_->SetURL(address);
    frm_->Show();
    test_input::Pump();
    ASSERT_NE(views_.main, nullptr);
    window_ = views_.main->Window();
  }
  CTabItems& Tabs() { return views_.main->TabStrip().TabItems(); }
  // Arms the confirmation's answer, runs `close` and lets the posted close check run.
  void CloseWith(const std::function<void()>& close, std::function<void(HWND)> answer) {
    confirmations_.answer = std::move(answer);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &Confirmations::Tick);
    const UINT_PTR watchdog = ::SetTimer(nullptr, 0, 15000, &CloseStuckConfirmation);
    close();
    test_input::Pump();
    test_input::Pump();
    ::KillTimer(nullptr, timer);
    ::KillTimer(nullptr, watchdog);
  }
  static void No(HWND confirmation) { Press(confirmation, kNo.x, kNo.y); }
  static void Yes(HWND confirmation) { Press(confirmation, kYes.x, kYes.y); }

  Owner owner_;
  Dialogs dialogs_;
  Addresses addresses_;
  Cache cache_;
  Win32ProgramLoop loop_;
  Views views_;
  std::unique_ptr<WebMainFrm> frm_;
  Confirmations confirmations_;
  HWND window_ = nullptr;
};

TEST_F(MainWindowFlowTest, GameAddressesBecomeTabsAndTheSameAddressSelectsItsTab) {
  Open(kGameA);
  EXPECT_TRUE(::IsWindowVisible(window_));
  ASSERT_EQ(Tabs().Count(), 1);
  EXPECT_FALSE(views_.main->Picture1Visible()) << "the placeholder goes with the first tab";
  ASSERT_EQ(views_.browsers.size(), 2U);
  test::ScriptedBrowser& page_a = *views_.browsers[1];
  EXPECT_EQ(page_a.Requested(), (std::vector<std::string>{"about:blank", kGameA}));
  // The page lies in the container, filling it.
  const HWND page = ::GetWindow(views_.main->ContainerWindow(), GW_CHILD);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(ChildRect(page).width, ChildRect(views_.main->ContainerWindow()).width);
  ASSERT_TRUE(page_a.FinishLoading());
  EXPECT_EQ(Tabs().Item(0)->Caption(), "一区 alpha");

  frm_->SetURL(kGameB);
  test_input::Pump();
  EXPECT_EQ(Tabs().Count(), 2);
  EXPECT_EQ(Tabs().Selected(), 1);
  // The same address again, even in other letter case, selects its tab and loads nothing.
  frm_->SetURL("HTTP://GAME.EXAMPLE/s1?u=alpha");
  test_input::Pump();
  EXPECT_EQ(Tabs().Count(), 2);
  EXPECT_EQ(Tabs().Selected(), 0);
  EXPECT_EQ(page_a.LoadCount(kGameA), 1);
}

TEST_F(MainWindowFlowTest, EveryCloseAsksOnceAndNoKeepsEverything) {
  Open(kGameA);
  const RECT before = WindowRectOf(window_);
  const auto no = [](HWND confirmation) { No(confirmation); };
  // The close button, the menu's "退出", the last tab's close box, the system's close.
  CloseWith([&] { Click(views_.main->ButtonWindow(MainWindowControl::web_close)); },
            [](HWND confirmation) {
              test_input::SaveScreenShot("exit-confirmation");
              No(confirmation);
            });
  EXPECT_EQ(confirmations_.seen, 1);
  CloseWith([&] { frm_->appmenu().back().run(); }, no);
  EXPECT_EQ(confirmations_.seen, 2);
  CloseWith([&] { Tabs().Remove(0.0, true); }, no);
  EXPECT_EQ(confirmations_.seen, 3);
  CloseWith([&] { ::SendMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0); }, no);
  EXPECT_EQ(confirmations_.seen, 4);
  EXPECT_EQ(views_.confirmations, 4) << "one confirmation window for each close";
  EXPECT_EQ(frm_->appmenu().back().label, "退出");

  EXPECT_TRUE(::IsWindow(window_));
  EXPECT_TRUE(::IsWindowVisible(window_));
  EXPECT_EQ(Tabs().Count(), 1) << "the last tab's close box never removes it";
  const RECT after = WindowRectOf(window_);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_FALSE(frm_->m_bExit());
  EXPECT_EQ(owner_.unloads, 0);
  EXPECT_EQ(::FindWindowW(L"OrvaneMsgFrm", nullptr), nullptr) << "the confirmation is gone";
}

TEST_F(MainWindowFlowTest, TheMenuButtonPopsUpTheProgramMenuAndNoChoiceRunsNothing) {
  Open(kGameA);
  // The menu opens where the pointer is: below the middle of the menu button.
  const RECT button = WindowRectOf(views_.main->ButtonWindow(MainWindowControl::web_tool));
  test_input::MouseTo((button.left + button.right) / 2, button.bottom);
  test_input::Pump();
  OpenMenus menus;
  OpenMenus::current = &menus;
  std::vector<std::string> shown;
  menus.look = [&](HWND menu) {
    const HMENU items = reinterpret_cast<HMENU>(::SendMessageW(menu, MN_GETHMENU, 0, 0));
    shown = MenuTexts(items);
    test_input::SaveScreenShot("menu");
  };
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &OpenMenus::Tick);
  const UINT_PTR watchdog = ::SetTimer(nullptr, 0, 15000, &CloseStuckMenu);
  Click(views_.main->ButtonWindow(MainWindowControl::web_tool));
  test_input::Pump();
  test_input::Pump();
  ::KillTimer(nullptr, timer);
  ::KillTimer(nullptr, watchdog);
  OpenMenus::current = nullptr;

  EXPECT_EQ(menus.seen, 1) << "the button pops up one menu";
  std::vector<std::string> expected;
  for (const TrayMenuItem& item : frm_->appmenu()) {
    expected.push_back(item.label);
  }
  EXPECT_EQ(shown, expected);
  EXPECT_EQ(shown.back(), "退出");
  // Closed without a choice: nothing ran, nothing asked, the window stays.
  EXPECT_EQ(cache_.clears, 0);
  EXPECT_EQ(owner_.updates, 0);
  EXPECT_EQ(views_.confirmations, 0);
  EXPECT_TRUE(::IsWindowVisible(window_));
  EXPECT_FALSE(frm_->Unloaded());
}

TEST_F(MainWindowFlowTest, YesEndsAndAnExitAlreadyDecidedDoesNotAsk) {
  Open(kGameA);
  CloseWith([&] { Click(views_.main->ButtonWindow(MainWindowControl::web_close)); },
            [](HWND confirmation) { Yes(confirmation); });
  EXPECT_EQ(confirmations_.seen, 1);
  EXPECT_TRUE(frm_->Unloaded());
  EXPECT_EQ(owner_.unloads, 1);
  EXPECT_FALSE(::IsWindow(window_));

  // A second window whose exit was decided (the updater was started) closes at once.
  Views views;
  WebMainFrm other(
      views, WebMainFrmPorts{owner_, dialogs_, addresses_, addresses_, cache_, loop_},
      WebMainFrmSettings{GetTempFolder(), "https://portal.example/zt/mirab/", "1.1.0"});
  other.SetURL(kGameB);
  other.Show();
  other.m_bExit(true);
  other.RequestClose();
  test_input::Pump();
  EXPECT_TRUE(other.Unloaded());
  EXPECT_EQ(views.confirmations, 0);
}

TEST_F(MainWindowFlowTest, TheBossKeyAndTheTrayToggleWhileTheConfirmationIsOpen) {
  Open(kGameA);
  bool hidden_by_key = false;
  bool shown_by_tray = false;
  CloseWith([&] { Click(views_.main->ButtonWindow(MainWindowControl::web_close)); },
            [&](HWND confirmation) {
              ::PostMessageW(window_, WM_HOTKEY, 1000, MAKELPARAM(0, VK_F10));
              test_input::Pump();
              hidden_by_key = !::IsWindowVisible(window_);
              ::PostMessageW(window_, kTrayCallbackMessage, 1000, WM_LBUTTONUP);
              test_input::Pump();
              shown_by_tray = ::IsWindowVisible(window_) != 0;
              No(confirmation);
            });
  EXPECT_EQ(confirmations_.seen, 1);
  EXPECT_TRUE(hidden_by_key);
  EXPECT_TRUE(shown_by_tray);
  EXPECT_TRUE(::IsWindowVisible(window_));
  EXPECT_FALSE(frm_->Unloaded());
}

TEST_F(MainWindowFlowTest, TheFirstRestoreGivesTheCentredDesignSizeAndTheLayoutFollowsTheSize) {
  Open(kGameA);
  // Started maximised to the work area.
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT rect = WindowRectOf(window_);
  EXPECT_EQ(rect.right - rect.left, work.right - work.left);
  EXPECT_TRUE(views_.main->web_minmax().Value());

  Click(views_.main->ButtonWindow(MainWindowControl::web_minmax));
  test_input::Pump();
  rect = WindowRectOf(window_);
  EXPECT_EQ(rect.right - rect.left, 1036);
  EXPECT_EQ(rect.bottom - rect.top, 639);
  EXPECT_EQ(rect.left, (::GetSystemMetrics(SM_CXSCREEN) - 1036) / 2);
  EXPECT_EQ(rect.top, (::GetSystemMetrics(SM_CYSCREEN) - 639) / 2);

  // Pixel places at two sizes: the caption buttons from the right edge, the strip and the
  // link buttons, the content area below the strip's height with 4-pixel margins.
  for (const SIZE size : {SIZE{1036, 639}, SIZE{1200, 760}}) {
    ::SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    test_input::Pump();
    RECT client_rect{};
    ::GetClientRect(window_, &client_rect);
    ASSERT_EQ(client_rect.right, size.cx);
    ASSERT_EQ(client_rect.bottom, size.cy);
    const int w = size.cx * 15;
    const int h = size.cy * 15;
    const auto px = [](int twips) { return (twips * 2 + 15) / 30; };
    EXPECT_EQ(ChildRect(views_.main->ButtonWindow(MainWindowControl::web_close)).x, px(w - 730));
    EXPECT_EQ(ChildRect(views_.main->ButtonWindow(MainWindowControl::web_minmax)).x, px(w - 1105));
    EXPECT_EQ(ChildRect(views_.main->ButtonWindow(MainWindowControl::web_min)).x, px(w - 1465));
    EXPECT_EQ(ChildRect(views_.main->ButtonWindow(MainWindowControl::web_tool)).x, px(w - 1825));
    EXPECT_EQ(ChildRect(views_.main->ButtonWindow(MainWindowControl::GameSpaceBtn)).x,
              px(w - 3300));
    EXPECT_EQ(ChildRect(views_.main->ButtonWindow(MainWindowControl::OtherUserBtn)).x,
              px(w - 4850));
    const Rect strip = ChildRect(views_.main->TabStripWindow());
    EXPECT_EQ(strip.x, px(2300));
    EXPECT_EQ(strip.y, px(45));
    EXPECT_EQ(strip.width, px(w - 6900));
    const Rect content = ChildRect(views_.main->ContainerWindow());
    EXPECT_EQ(content, (Rect{4, strip.height, px(w - 120), px(h - strip.height * 15 - 60)}));
    EXPECT_EQ(ChildRect(views_.main->CaptionBarWindow()).width, size.cx);
    RECT region{};
    ASSERT_NE(::GetWindowRgnBox(window_, &region), ERROR);
    EXPECT_EQ(region.right, size.cx) << "the rounded region covers the window exactly";
  }
}

TEST_F(MainWindowFlowTest, FiftyTabsOpenedAndClosedLeaveNoObjectBehind) {
  Open(kGameA);
  int round = 0;
  const auto fifty_tabs = [&] {
    for (int i = 0; i < 50; ++i) {
      frm_->SetURL("http://game.example/extra/" + std::to_string(round) + "/" + std::to_string(i));
    }
    ++round;
    test_input::Pump();
    EXPECT_EQ(Tabs().Count(), 51);
    while (Tabs().Count() > 1) {
      Tabs().Remove(static_cast<double>(Tabs().Count() - 1), true);
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

// Soak: the flow's fixture, under a name that picks out the long runs.
class MainWindowFlowSoak : public MainWindowFlowTest {
 protected:
  // Closes tab `index` as a click on its close box does: the pointer moves onto the box,
  // the left button goes down and up there. The box's place comes from the strip's own
  // hit test along a row through the tabs.
  void ClickCloseBox(int index) {
    const uTab& strip = views_.main->WebuTab();
    constexpr int kY = 12;
    int first = -1;
    int last = -1;
    for (int x = 0; x < strip.StripWidth(); ++x) {
      const TabHit hit = strip.HitTest(static_cast<float>(x), kY);
      if (hit.index == index && hit.over_close) {
        first = first < 0 ? x : first;
        last = x;
      }
    }
    ASSERT_GE(first, 0) << "tab " << index << " shows no close box";
    const HWND window = views_.main->TabStripWindow();
    const LPARAM at = MAKELPARAM((first + last) / 2, kY);
    ::SendMessageW(window, WM_MOUSEMOVE, 0, at);
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(window, WM_LBUTTONUP, 0, at);
    test_input::Pump();
  }
};

TEST_F(MainWindowFlowSoak, AThousandTabsOpenedAndClosedOneByOneLeaveNoObjectBehind) {
  Open(kGameA);
  ASSERT_TRUE(views_.browsers.back()->FinishLoading());
  // One cycle: a game address opens a tab, its page completes with its title (the caption
  // is drawn), and its close box closes it again.
  int cycle = 0;
  const auto open_and_close = [&] {
    ++cycle;
    const std::string address = "http://game.example/soak/" + std::to_string(cycle);
    frm_->SetURL(address);
    test_input::Pump();
    ASSERT_EQ(Tabs().Count(), 2) << "cycle " << cycle;
    test::ScriptedBrowser& page = *views_.browsers.back();
    page.Serve(address, test::ScriptedPage{true, "第" + std::to_string(cycle) + "区"});
    ASSERT_TRUE(page.FinishLoading());
    test_input::Pump();
    ASSERT_EQ(Tabs().Item(1)->Caption(), "第" + std::to_string(cycle) + "区");
    ClickCloseBox(1);
    ASSERT_EQ(Tabs().Count(), 1) << "cycle " << cycle;
  };
  // The warm-up makes what the process keeps whatever the number of tabs (the strip's
  // buffers, the system's caches of fonts and window surfaces).
  for (int i = 0; i < 20; ++i) {
    ASSERT_NO_FATAL_FAILURE(open_and_close());
  }
  const DWORD gdi = testing::GdiObjectCount();
  const DWORD user = testing::UserObjectCount();
  ASSERT_GT(gdi, 0U);
  ASSERT_GT(user, 0U);
  while (cycle < 1000) {
    ASSERT_NO_FATAL_FAILURE(open_and_close());
  }
  const DWORD gdi_after = testing::GdiObjectCount();
  const DWORD user_after = testing::UserObjectCount();
  EXPECT_EQ(gdi_after, gdi);
  EXPECT_EQ(user_after, user);
  std::printf(
      "[ soak     ] %d tab cycles: GDI objects %lu after 20, %lu after %d; USER objects "
      "%lu after 20, %lu after %d\n",
      cycle, static_cast<unsigned long>(gdi), static_cast<unsigned long>(gdi_after), cycle,
      static_cast<unsigned long>(user), static_cast<unsigned long>(user_after), cycle);
  // The window goes on working: a further tab opens, and no close was asked on the way.
  frm_->SetURL(kGameB);
  test_input::Pump();
  EXPECT_EQ(Tabs().Count(), 2);
  EXPECT_EQ(views_.confirmations, 0);
  EXPECT_FALSE(frm_->Unloaded());
}

BOOL CALLBACK CountWindow(HWND, LPARAM data) {
  ++*reinterpret_cast<int*>(data);
  return TRUE;
}

BOOL CALLBACK CountWindowAndChildren(HWND window, LPARAM data) {
  ++*reinterpret_cast<int*>(data);
  ::EnumChildWindows(window, &CountWindow, data);
  return TRUE;
}

// The windows of this thread: top-level ones and all their descendants.
int ThreadWindowCount() {
  int count = 0;
  ::EnumThreadWindows(::GetCurrentThreadId(), &CountWindowAndChildren,
                      reinterpret_cast<LPARAM>(&count));
  return count;
}

// Whether this runs under Wine rather than Windows.
bool UnderWine() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

TEST(MainWindowLoginSoak, TheLoginScreenShownAndClosedFiftyTimesLeavesNothingBehind) {
  // Under Wine on a display without a window manager, hiding or destroying a shown
  // top-level window waits two seconds for the manager's answer (Wine's X11 driver): each
  // round then takes four seconds more than on Windows, so Wine runs fewer rounds to keep
  // the test's time in bounds.
  const int rounds = UnderWine() ? 8 : 50;
  ScriptedClient rig;
  auto& logins = rig.logins;
  auto& pages = rig.pages;
  Client& client = rig.client;
  ASSERT_TRUE(client.Start(""));
  ASSERT_FALSE(logins.empty());
  ASSERT_TRUE(logins.back()->FinishLoading());
  test_input::Pump();
  EXPECT_FALSE(logins.back()->PageNavigates(std::string("app://loadgame|") + kGameA + "|x"));
  test_input::Pump();
  ASSERT_TRUE(client.MainWindowLoaded());
  ASSERT_FALSE(client.LoginScreenLoaded());
  HWND main = ::FindWindowW(L"OrvaneWebMainFrm", nullptr);
  ASSERT_NE(main, nullptr);
  ASSERT_EQ(pages.size(), 1U);
  ASSERT_TRUE(pages[0]->FinishLoading());

  // "登录其他帐号" is the button the layout puts 4850 twips left of the right edge.
  RECT client_rect{};
  ::GetClientRect(main, &client_rect);
  const int button_left = TwipsToPixels(client_rect.right * 15 - 4850);
  HWND other_user = nullptr;
  for (HWND child = ::GetWindow(main, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const Rect place = ChildRect(child);
    if (place.x == button_left && place.width == 99) {
      other_user = child;
    }
  }
  ASSERT_NE(other_user, nullptr);

  // One round: the button shows the login screen, its page completes and the screen shows;
  // its close image closes it, and the windows go once that click has returned.
  int round = 0;
  const auto show_and_close = [&] {
    ++round;
    const std::size_t made = logins.size();
    Click(other_user);
    test_input::Pump();
    ASSERT_TRUE(client.LoginScreenLoaded()) << "round " << round;
    ASSERT_EQ(logins.size(), made + 1) << "round " << round;
    ASSERT_TRUE(logins.back()->FinishLoading());
    test_input::Pump();
    const HWND login = ::FindWindowW(L"OrvaneLoginFrm", nullptr);
    ASSERT_NE(login, nullptr) << "round " << round;
    ASSERT_TRUE(::IsWindowVisible(login)) << "round " << round;
    // The close image, 41 pixels square at (1088, 80) of the login window.
    const HWND close = ::ChildWindowFromPoint(login, POINT{1088 + 20, 80 + 20});
    ASSERT_NE(close, login) << "round " << round;
    ::SendMessageW(close, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(close, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    test_input::Pump();
    ASSERT_FALSE(client.LoginScreenLoaded()) << "round " << round;
    ASSERT_EQ(::FindWindowW(L"OrvaneLoginFrm", nullptr), nullptr) << "round " << round;
    ASSERT_EQ(::FindWindowW(L"OrvaneLoginBgFrm", nullptr), nullptr) << "round " << round;
  };
  // The first round makes what stays for the process (GDI+'s and the fonts' caches, the
  // window classes); every later round must give back all it takes.
  ASSERT_NO_FATAL_FAILURE(show_and_close());
  const int windows = ThreadWindowCount();
  const DWORD gdi = testing::GdiObjectCount();
  const DWORD user = testing::UserObjectCount();
  while (round < rounds) {
    ASSERT_NO_FATAL_FAILURE(show_and_close());
  }
  const int windows_after = ThreadWindowCount();
  const DWORD gdi_after = testing::GdiObjectCount();
  const DWORD user_after = testing::UserObjectCount();
  EXPECT_EQ(windows_after, windows);
  EXPECT_EQ(gdi_after, gdi);
  EXPECT_EQ(user_after, user);
  std::printf(
      "[ soak     ] %d login screens: windows %d after the first, %d after the last; GDI "
      "objects %lu, %lu; USER objects %lu, %lu\n",
      round, windows, windows_after, static_cast<unsigned long>(gdi),
      static_cast<unsigned long>(gdi_after), static_cast<unsigned long>(user),
      static_cast<unsigned long>(user_after));

  // The main window still works: the login screen once more, a second account, a second tab.
  EXPECT_TRUE(client.MainWindowLoaded());
  Click(other_user);
  test_input::Pump();
  ASSERT_TRUE(client.LoginScreenLoaded());
  ASSERT_TRUE(logins.back()->FinishLoading());
  test_input::Pump();
  EXPECT_FALSE(logins.back()->PageNavigates(std::string("app://loadgame|") + kGameB + "|x"));
  test_input::Pump();
  EXPECT_FALSE(client.LoginScreenLoaded());
  EXPECT_EQ(pages.size(), 2U) << "a second tab";
  EXPECT_TRUE(::IsWindowVisible(main));
}

}  // namespace
}  // namespace orvane::win32
