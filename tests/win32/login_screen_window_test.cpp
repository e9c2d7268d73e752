// The login screen's two windows under Wine, driven by the login screen's own logic with a
// scripted browser inside the real frame: what the load makes of them, when they show,
// how they move together, their images and commands, and that nothing is left behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/public_data.h"
#include "app/win32/win32_files.h"
#include "base/resource_ids.h"
#include "base/resources.h"
#include "base/temp_folder.h"
#include "login/login_frm.h"
#include "login/win32/win32_login_screen_view.h"
#include "support/scripted_browser.h"
#include "support/win32/real_input.h"
#include "tab_strip_gdi_count.h"

namespace orvane::win32 {
namespace {

constexpr char kLoginPage[] = "http://127.0.0.1:1/yy/mirab/microend";

class Owner final : public LoginScreenOwner {
 public:
  void CloseLoginScreen() override { ++closes; }
  void OpenGame(const std::string& address) override { games.push_back(address); }
  void UnloadSplash() override { ++splash_unloads; }
  void EndProgram() override { ++ends; }
  void OpenInDefaultBrowser(const std::string& address) override { external.push_back(address); }
  int closes = 0;
  int splash_unloads = 0;
  int ends = 0;
  std::vector<std::string> games;
  std::vector<std::string> external;
};

class NoDialogs final : public MessageBoxes {
 public:
  MessageAnswer ShowMessageBox(const MessageBoxRequest&) override {
    ++shown;
    return MessageAnswer::kOk;
  }
  int shown = 0;
};

// Makes the login screen's real windows with a scripted browser in the frame.
class Views final : public LoginScreenViews {
 public:
  std::unique_ptr<LoginScreenView> CreateLoginScreenView(
      LoginScreenEvents& events, browser::BrowserEvents& browser_events) override {
    auto view = std::make_unique<Win32LoginScreenView>(
        events, browser_events,
        [this](HWND parent, browser::BrowserEvents& owner) -> std::unique_ptr<browser::Browser> {
          frame = parent;
          auto made = std::make_unique<test::ScriptedBrowser>(owner);
          browser = made.get();
          browser->Serve(kLoginPage, test::ScriptedPage{true, "login"});
          return made;
        });
    last = view.get();
    return view;
  }
  Win32LoginScreenView* last = nullptr;
  test::ScriptedBrowser* browser = nullptr;
  HWND frame = nullptr;
};

RECT WindowRectOf(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect;
}

POINT TopLeftInParent(HWND child) {
  RECT rect = WindowRectOf(child);
  POINT at{rect.left, rect.top};
  ::ScreenToClient(::GetParent(child), &at);
  return at;
}

// A login screen loaded by its own logic into the real windows; the page is in flight.
struct Screen {
  Screen() {
    login = std::make_unique<LoginFrm>(owner, dialogs, writer,
                                       LoginFrmSettings{GetTempFolder(), kLoginPage});
    login->Form_Load(views);
    if (views.last != nullptr) {
      bg = views.last->LoginBgFrm();
      fg = views.last->LoginFrm();
    }
  }
  bool Made() const { return views.browser != nullptr && bg != nullptr && fg != nullptr; }

  Owner owner;
  NoDialogs dialogs;
  Win32OutputFiles files;
  ResourceFileWriter writer{LoadResourceBytes, files};
  Views views;
  std::unique_ptr<LoginFrm> login;
  HWND bg = nullptr;
  HWND fg = nullptr;
};

class LoginScreenWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(screen_.Made()); }
  void Complete() {
    ASSERT_TRUE(views_.browser->FinishLoading());
    test_input::Pump();
  }

  Screen screen_;
  Owner& owner_ = screen_.owner;
  Views& views_ = screen_.views;
  HWND bg_ = screen_.bg;
  HWND fg_ = screen_.fg;
};

TEST_F(LoginScreenWindowTest, TheLoadMakesTheLayeredPairHiddenWithTheDesignedControls) {
  EXPECT_FALSE(::IsWindowVisible(bg_));
  EXPECT_FALSE(::IsWindowVisible(fg_));
  EXPECT_EQ(views_.browser->Requested().front(), kLoginPage);

  // The background: layered, no caption or sizing border, the picture's size, the title.
  EXPECT_NE(::GetWindowLongPtrW(bg_, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  EXPECT_EQ(::GetWindowLongPtrW(bg_, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
  const RECT bg = WindowRectOf(bg_);
  EXPECT_EQ(bg.right - bg.left, 1191);
  EXPECT_EQ(bg.bottom - bg.top, 700);
  wchar_t title[64] = {};
  ::GetWindowTextW(bg_, title, 64);
  EXPECT_STREQ(title, L"Orvane客户端");
  ASSERT_NE(views_.last->BackgroundPicture(), nullptr);
  EXPECT_EQ(*views_.last->BackgroundPicture()->PixelAt(0, 0) >> 24, 0U)
      << "the picture's transparent corner";
  EXPECT_NE(::SendMessageW(bg_, WM_GETICON, ICON_SMALL, 0), 0) << "icon from mirab.ico";
  EXPECT_NE(::SendMessageW(bg_, WM_GETICON, ICON_BIG, 0), 0);

  // The login window: on the background's top-left, owned by it, its background keyed out.
  const RECT fg = WindowRectOf(fg_);
  EXPECT_EQ(fg.left, bg.left);
  EXPECT_EQ(fg.top, bg.top);
  EXPECT_EQ(fg.right - fg.left, 1237);
  EXPECT_EQ(fg.bottom - fg.top, 696);
  EXPECT_EQ(::GetWindow(fg_, GW_OWNER), bg_);
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(::GetLayeredWindowAttributes(fg_, &key, &alpha, &flags));
  EXPECT_EQ(key, 0xFEFEFEU);
  EXPECT_EQ(flags & LWA_COLORKEY, static_cast<DWORD>(LWA_COLORKEY));

  const POINT mini = TopLeftInParent(views_.last->MiniBtn());
  const POINT close = TopLeftInParent(views_.last->CloseBtn());
  const POINT frame = TopLeftInParent(views_.last->Picture1());
  EXPECT_EQ(mini.x, 1048);
  EXPECT_EQ(mini.y, 88);
  EXPECT_EQ(close.x, 1088);
  EXPECT_EQ(close.y, 80);
  EXPECT_EQ(frame.x, 389);
  EXPECT_EQ(frame.y, 152);
  EXPECT_EQ(views_.frame, views_.last->Picture1()) << "the browser lies in the frame";
  const auto& place = views_.browser->Placement();
  EXPECT_EQ(place.left, -1);
  EXPECT_EQ(place.top, -1);
  EXPECT_EQ(place.width, 751);
  EXPECT_EQ(place.height, 389);
}

TEST_F(LoginScreenWindowTest, ShowsOnCompletionAndTheLoginWindowFollowsEveryMove) {
  Complete();
  EXPECT_TRUE(::IsWindowVisible(bg_));
  EXPECT_TRUE(::IsWindowVisible(fg_));
  EXPECT_EQ(owner_.splash_unloads, 1);
  for (const POINT to : {POINT{30, 40}, POINT{-100, 5}}) {
    ::SetWindowPos(bg_, nullptr, to.x, to.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const RECT fg = WindowRectOf(fg_);
    EXPECT_EQ(fg.left, to.x);
    EXPECT_EQ(fg.top, to.y);
  }
  // The minimise command minimises the background window (the system hides the login
  // window, which it owns, with it).
  EXPECT_FALSE(views_.browser->PageNavigates("app://minimize"));
  test_input::Pump();
  EXPECT_TRUE(::IsIconic(bg_));
  EXPECT_FALSE(::IsIconic(fg_)) << "only the background window is minimised";
}

TEST_F(LoginScreenWindowTest, TheImagesAndTheSystemCloseReachTheLogic) {
  Complete();
  // A release outside the image is no click; a press and release on it is.
  ::SendMessageW(views_.last->MiniBtn(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageW(views_.last->MiniBtn(), WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
  EXPECT_FALSE(::IsIconic(bg_));
  ::SendMessageW(views_.last->MiniBtn(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageW(views_.last->MiniBtn(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  test_input::Pump();
  EXPECT_TRUE(::IsIconic(bg_));
  ::ShowWindow(bg_, SW_RESTORE);
  // The system's close of the background window asks the logic, which closes the screen;
  // the window itself stays until its owner unloads it.
  ::SendMessageW(bg_, WM_CLOSE, 0, 0);
  EXPECT_EQ(owner_.closes, 1);
  EXPECT_TRUE(::IsWindow(bg_));
}

TEST_F(LoginScreenWindowTest, TheCloseImageClosesTheScreen) {
  Complete();
  ::SendMessageW(views_.last->CloseBtn(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageW(views_.last->CloseBtn(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(owner_.closes, 1);
}

TEST(LoginScreenWindowsTest, TheLoadGameCommandHandsTheAddressOverAndUnloadLeavesNothing) {
  // A first screen makes what stays for the process (GDI+'s and the font's caches).
  { Screen warm_up; }
  const DWORD gdi_before = testing::GdiObjectCount();
  const DWORD user_before = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
  auto screen = std::make_unique<Screen>();
  ASSERT_TRUE(screen->Made());
  const HWND bg = screen->bg;
  const HWND fg = screen->fg;
  ASSERT_TRUE(screen->views.browser->FinishLoading());
  EXPECT_FALSE(screen->views.browser->PageNavigates("app://loadgame|http://game.example/a|x"));
  ASSERT_EQ(screen->owner.games.size(), 1U);
  EXPECT_EQ(screen->owner.games[0], "http://game.example/a");
  EXPECT_EQ(screen->owner.closes, 1);
  screen.reset();
  test_input::Pump();
  EXPECT_FALSE(::IsWindow(bg));
  EXPECT_FALSE(::IsWindow(fg));
  EXPECT_EQ(testing::GdiObjectCount(), gdi_before);
  EXPECT_LE(::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS), user_before);
}

}  // namespace
}  // namespace orvane::win32
