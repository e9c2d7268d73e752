// The main window's controller: its load, layout, game tabs, menu, buttons, strip events,
// boss key and tray, and the close check with its unload.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "base/product.h"
#include "core/web_main_frm_fixture.h"
#include "tabstrip/tab_item.h"

namespace orvane {
namespace {

using test::FakeMainWindowView;
using test::Log;

constexpr const char* kGame1 = "http://s1.game.test/play?account=a";
constexpr const char* kGame2 = "http://s2.game.test/play?account=b";

class WebMainFrmTest : public ::testing::Test {
 protected:
  Log log;
  test::FakeMainViews views{log};
  test::FakeMainPorts ports{log};
  test::RecordingSystemBrowser system_browser;
  std::unique_ptr<WebMainFrm> frm = std::make_unique<WebMainFrm>(
      views, WebMainFrmPorts{ports, ports, ports, system_browser, ports, ports},
      WebMainFrmSettings{test::kTempFolder, test::kPortal, "1.1.0"});

  FakeMainWindowView& main() { return *views.main; }
  CTabItems& tabs() { return main().strip.TabItems(); }
  test::ScriptedBrowser& page(std::size_t i) { return views.page_views.pages.at(i)->browser; }
  bool Logged(const std::string& line) const {
    return std::find(log.begin(), log.end(), line) != log.end();
  }
  long Count(const std::string& line) const { return std::count(log.begin(), log.end(), line); }
  // Loads the window with one game tab and shows it, as a login does; the log starts empty.
  void LoggedIn() {
    frm->SetURL(kGame1);
    frm->Show();
    log.clear();
  }
  // Runs the program menu's item with this caption, as a chosen menu item does.
  void Choose(std::string_view caption) {
    const TrayMenu& menu = frm->appmenu();
    const auto item = std::find_if(menu.begin(), menu.end(),
                                   [&](const TrayMenuItem& i) { return i.label == caption; });
    ASSERT_NE(item, menu.end()) << caption;
    item->run();
  }
  // A point of the strip over tab `index` (-1: beside the tabs), off its close box.
  float XOver(std::int32_t index) {
    for (int x = 0; x < 681; ++x) {
      const TabHit hit = main().strip.HitTest(static_cast<float>(x), 12);
      if (hit.index == index && !hit.over_close) {
        return static_cast<float>(x);
      }
    }
    ADD_FAILURE() << "no point over " << index;
    return 0;
  }
  // The user answers the confirmation with "是" (true) or "否" (false).
  void AnswerWith(bool yes) {
    views.msg_views.on_shown = [yes](test::FakeMsgFrmView& msg) {
      test::Click(yes ? msg.yes.button : msg.no.button);
    };
  }
};

// --- load -----------------------------------------------------------------------------------

TEST_F(WebMainFrmTest, TheLoadRunsItsStepsInOrderBeforeTheFirstTabOpens) {
  frm->SetURL(kGame1);
  const Log expected_start{"main created", "icon 16 /tmp/orvane/mirab.ico",
                           "tray add Orvane客户端 100 55", "icon 32 /tmp/orvane/mirab.ico",
                           "hook hotkey",
                           "bar painted",  // the caption "Orvane"
                           "title Orvane客户端", "window style",
                           // centred: (19200 - 15540) \ 2 and (15360 - 9585) \ 2
                           "move window 1830,2887", "logo 105", "maximise"};
  ASSERT_GE(log.size(), expected_start.size());
  EXPECT_EQ(Log(log.begin(), log.begin() + static_cast<long>(expected_start.size())),
            expected_start);
  // The tab comes after the whole load.
  EXPECT_EQ(log.back(), "hide Picture1");
  EXPECT_EQ(tabs().Count(), 1);
  EXPECT_FALSE(main().visible);  // shown by the caller, after SetURL
}

TEST_F(WebMainFrmTest, TheLoadGivesTheControlsTheirTextsSkinsAndContainer) {
  frm->Show();
  EXPECT_EQ(main().bar.Caption(), "Orvane");
  EXPECT_EQ(test::PictureId(main().close.button.BackPicture()), 103);
  EXPECT_EQ(test::PictureId(main().minmax.button.BackPicture()), 102);
  EXPECT_EQ(test::PictureId(main().min.button.BackPicture()), 101);
  EXPECT_EQ(test::PictureId(main().tool.button.BackPicture()), 104);
  EXPECT_EQ(main().minmax.button.Style(), 1);
  EXPECT_TRUE(main().minmax.button.Value());
  EXPECT_EQ(main().strip.hContainerWnd(), FakeMainWindowView::kContainer);
  EXPECT_TRUE(main().strip.DrawingEnabled());
  // Maximised at the start: the caption bar does not drag the window.
  EXPECT_TRUE(main().maximised);
  EXPECT_EQ(main().bar.frmHwnd(), 0U);
  EXPECT_TRUE(main().visible);
  const std::vector<std::string> captions{"刷新(F5)", "隐藏/恢复(F10)", "清除缓存", "-",
                                          "更新",     "版本号:1.1.0",   "退出"};
  std::vector<std::string> in_menu;
  std::vector<std::string> in_tray;
  for (const TrayMenuItem& item : frm->appmenu()) {
    in_menu.push_back(item.label);
  }
  for (const TrayMenuItem& item : main().tray_menu) {
    in_tray.push_back(item.label);
  }
  EXPECT_EQ(in_menu, captions);
  EXPECT_EQ(in_tray, captions);
}

TEST_F(WebMainFrmTest, TheWindowIsLoadedOnceWhateverIsUsedFirst) {
  frm->Show();
  frm->SetURL(kGame1);
  frm->Show();
  EXPECT_EQ(views.main_windows, 1);
  EXPECT_EQ(Count("hook hotkey"), 1);
}

// --- layout -----------------------------------------------------------------------------------

TEST_F(WebMainFrmTest, TheMaximiseAtLoadLaysTheWindowOutForTheWorkArea) {
  frm->Show();
  const Log expected{"maximise",
                     "move WebBForm 0,0 28800x495",
                     "form painted",
                     "region 1921x1051 6",
                     "move web_close 28070,15 645x270",
                     "move web_minmax 27695,15 375x270",
                     "move web_min 27335,15 360x270",
                     "move web_tool 26975,15 360x270",
                     "move WebuTab 2300,45 21900x420",
                     "move GameSpaceBtn 25500,0 1215x330",
                     "move OtherUserBtn 23950,0 1485x330",
                     "move Picture1 60,420 28680x15270",
                     "move pCnt 60,420 28680x15270"};
  const auto start = std::find(log.begin(), log.end(), "maximise");
  ASSERT_LE(expected.size(), static_cast<std::size_t>(log.end() - start));
  EXPECT_EQ(Log(start, start + static_cast<long>(expected.size())), expected);
}

TEST_F(WebMainFrmTest, RestoringLaysOutAtTheDesignSizeAndAMinimisedWindowIsLeftAlone) {
  LoggedIn();
  test::Click(main().minmax.button);
  EXPECT_TRUE(Logged("restore size"));
  EXPECT_TRUE(Logged("move web_close 14810,15 645x270"));
  EXPECT_TRUE(Logged("move pCnt 60,420 15420x9105"));
  EXPECT_TRUE(Logged("region 1037x640 6"));
  log.clear();
  test::Click(main().min.button);
  EXPECT_EQ(log, (Log{"minimize"}));
  frm->PresentMainWindow();
  EXPECT_TRUE(Logged("restore from minimized"));
  EXPECT_TRUE(Logged("move pCnt 60,420 15420x9105"));
}

// --- game tabs --------------------------------------------------------------------------------

TEST_F(WebMainFrmTest, AGameTabIsKeyedByItsAddressAndItsPageLoadsTheAddress) {
  frm->SetURL(kGame1);
  ASSERT_EQ(tabs().Count(), 1);
  EXPECT_EQ(tabs().Item(0)->Caption(), std::string("Game") + kGame1);
  EXPECT_EQ(tabs().FindItem(std::string("Game") + kGame1), 0);
  EXPECT_EQ(tabs().Selected(), 0);
  EXPECT_FALSE(main().picture1_visible);
  EXPECT_EQ(page(0).Requested(), (std::vector<std::string>{"about:blank", kGame1}));
  // The page window went into the container.
  EXPECT_NE(std::find(main().strip_log.begin(), main().strip_log.end(), "Host 700 in 900"),
            main().strip_log.end());
  page(0).Serve(kGame1, {true, "一区 烈焰"});
  page(0).FinishLoading();
  EXPECT_EQ(tabs().Item(0)->Caption(), "一区 烈焰");
}

TEST_F(WebMainFrmTest, TheSameAddressAgainSelectsItsTabAlsoInOtherLetterCase) {
  frm->SetURL(kGame1);
  frm->SetURL(kGame2);
  ASSERT_EQ(tabs().Count(), 2);
  EXPECT_EQ(tabs().Selected(), 1);
  frm->SetURL(kGame1);
  EXPECT_EQ(tabs().Count(), 2);
  EXPECT_EQ(tabs().Selected(), 0);
  frm->OpenGameTab("HTTP://S2.GAME.TEST/play?account=b");
  EXPECT_EQ(tabs().Count(), 2);
  EXPECT_EQ(tabs().Selected(), 1);
  // Neither page was created again or reloaded.
  EXPECT_EQ(views.page_views.pages.size(), 2U);
  EXPECT_EQ(page(0).Requested().size(), 2U);
  EXPECT_EQ(page(1).Requested().size(), 2U);
}

TEST_F(WebMainFrmTest, ANewAddressIsAppendedAndSelectedWhateverWasSelectedBefore) {
  frm->SetURL(kGame1);
  frm->SetURL(kGame2);
  frm->SetURL(kGame1);
  frm->SetURL("https://s3.game.test/");
  ASSERT_EQ(tabs().Count(), 3);
  EXPECT_EQ(tabs().Item(2)->Caption(), "Gamehttps://s3.game.test/");
  EXPECT_EQ(tabs().Selected(), 2);
}

TEST_F(WebMainFrmTest, TheHandOverRestoresAMinimisedWindowAndOpensItsTab) {
  LoggedIn();
  test::Click(main().min.button);
  log.clear();
  EXPECT_TRUE(HandOverAddress(kGame2, *frm));
  EXPECT_FALSE(main().minimized);
  EXPECT_EQ(log.front(), "restore from minimized");
  EXPECT_EQ(tabs().Count(), 2);
  EXPECT_EQ(tabs().Selected(), 1);
  EXPECT_FALSE(HandOverAddress("file:///etc/passwd", *frm));
  EXPECT_EQ(tabs().Count(), 2);
}

// --- menu and buttons ---------------------------------------------------------------------------

TEST_F(WebMainFrmTest, RefreshReloadsTheIdleBrowserBeforeAnyTabAndTheSelectedPageAfter) {
  frm->Show();
  log.clear();
  Choose("刷新(F5)");
  EXPECT_EQ(log, (Log{"refresh WebBrowser1"}));
  frm->SetURL(kGame1);
  frm->SetURL(kGame2);
  page(0).FinishLoading();
  page(1).FinishLoading();
  frm->SetURL(kGame1);
  Choose("刷新(F5)");
  page(0).FinishLoading();
  page(1).FinishLoading();
  EXPECT_EQ(page(0).LoadCount(kGame1), 2);
  EXPECT_EQ(page(1).LoadCount(kGame2), 1);
  EXPECT_EQ(Count("refresh WebBrowser1"), 1);
}

TEST_F(WebMainFrmTest, ClearCacheKeepsCookiesAndHistoryThenSaysSo) {
  LoggedIn();
  Choose("清除缓存");
  EXPECT_EQ(log, (Log{"clear cache *.* 3145728", "message 缓存清理 information 缓存已清理完毕！"}));
}

TEST_F(WebMainFrmTest, UpdateHandsOverToTheOwnerAndTheVersionItemDoesNothing) {
  LoggedIn();
  Choose("版本号:1.1.0");
  Choose("-");
  EXPECT_TRUE(log.empty());
  Choose("更新");
  EXPECT_EQ(log, (Log{"owner: update"}));
}

TEST_F(WebMainFrmTest, HideRestoreTogglesTheWindow) {
  LoggedIn();
  Choose("隐藏/恢复(F10)");
  EXPECT_FALSE(main().visible);
  Choose("隐藏/恢复(F10)");
  EXPECT_TRUE(main().visible);
  EXPECT_EQ(log, (Log{"hide", "show"}));
}

TEST_F(WebMainFrmTest, TheCaptionButtonsAndTheLinkButtonsDoTheirActions) {
  LoggedIn();
  test::Click(main().tool.button);
  EXPECT_EQ(main().popped, &frm->appmenu());
  test::Click(main().game_space.button);
  test::Click(main().other_user.button);
  EXPECT_EQ(log, (Log{"popup menu", std::string("open address ") + test::kPortal,
                      "owner: login screen"}));
  // Restored: the caption bar drags this window; maximised again: it does not.
  test::Click(main().minmax.button);
  EXPECT_FALSE(main().minmax.button.Value());
  EXPECT_EQ(main().bar.frmHwnd(), FakeMainWindowView::kWindow);
  test::Click(main().minmax.button);
  EXPECT_TRUE(main().minmax.button.Value());
  EXPECT_EQ(main().bar.frmHwnd(), 0U);
}

// --- the strip's events --------------------------------------------------------------------------

TEST_F(WebMainFrmTest, APressBesideTheTabsDragsTheWindowOnlyWhileItIsNotMaximised) {
  LoggedIn();
  frm->SetURL(kGame2);
  log.clear();
  main().strip.MouseDown(1, 0, XOver(TabHit::kNoTab), 12);
  EXPECT_EQ(log, (Log{"arrow"}));
  test::Click(main().minmax.button);  // restored
  log.clear();
  main().strip.MouseDown(1, 0, XOver(TabHit::kNoTab), 12);
  EXPECT_EQ(log, (Log{"arrow", "drag window"}));
  log.clear();
  main().strip.MouseDown(1, 0, XOver(0), 12);
  EXPECT_FALSE(Logged("drag window"));
  EXPECT_EQ(tabs().Selected(), 0);
}

TEST_F(WebMainFrmTest, TheTooltipIsTheHoveredTabsCaptionOrNothing) {
  LoggedIn();
  frm->SetURL(kGame2);
  page(1).PageChangesTitle("二区");
  main().strip.MouseMove(0, 0, XOver(1), 12);
  EXPECT_EQ(main().tooltip, "二区");
  main().strip.MouseMove(0, 0, XOver(0), 12);
  EXPECT_EQ(main().tooltip, std::string("Game") + kGame1);
  main().strip.MouseMove(0, 0, XOver(TabHit::kNoTab), 12);
  EXPECT_EQ(main().tooltip, "");
  EXPECT_TRUE(Logged("arrow"));  // every move shows the arrow
}

TEST_F(WebMainFrmTest, TheCaptionBarAndTheContentShowTheArrow) {
  LoggedIn();
  main().bar.OnMouseMove(0, 0, 5, 5);
  main().events.ContentPointer();
  EXPECT_EQ(log, (Log{"arrow", "arrow"}));
}

TEST_F(WebMainFrmTest, AClickOnATabHidesThePlaceholder) {
  frm->Show();
  frm->SetURL(kGame1);
  main().picture1_visible = true;  // as if the placeholder were still up
  main().strip.MouseDown(1, 0, XOver(0), 12);
  EXPECT_FALSE(main().picture1_visible);
}

TEST_F(WebMainFrmTest, ClosingOneOfSeveralTabsRemovesItWithoutAsking) {
  LoggedIn();
  frm->SetURL(kGame2);
  EXPECT_TRUE(tabs().Remove(0, true));
  EXPECT_EQ(tabs().Count(), 1);
  EXPECT_TRUE(ports.posted.empty());
}

// --- boss key and tray -------------------------------------------------------------------------

TEST_F(WebMainFrmTest, TheBossKeyHidesAndSilencesThenShowsWithTheSoundAsItWas) {
  LoggedIn();
  frm->SetURL(kGame2);
  page(1).SetMuted(true);  // the player muted this one himself
  main().events.BossKeyPressed();
  EXPECT_FALSE(main().visible);
  EXPECT_TRUE(page(0).Muted());
  EXPECT_TRUE(page(1).Muted());
  main().events.BossKeyPressed();
  EXPECT_TRUE(main().visible);
  EXPECT_FALSE(page(0).Muted());
  EXPECT_TRUE(page(1).Muted());
}

// Where the platform silences the whole program (Windows' audio session), the boss key uses
// that and leaves the pages' own mute alone.
TEST_F(WebMainFrmTest, TheBossKeyUsesThePlatformsProgramSoundWhereThereIsOne) {
  class CountingSound final : public GameSound {
   public:
    void Silence() override { ++silenced; }
    void Restore() override { ++restored; }
    int silenced = 0;
    int restored = 0;
  } program_sound;
  views.program_sound = &program_sound;
  LoggedIn();
  main().events.BossKeyPressed();
  EXPECT_EQ(program_sound.silenced, 1);
  EXPECT_FALSE(page(0).Muted());
  main().events.BossKeyPressed();
  EXPECT_EQ(program_sound.restored, 1);
  EXPECT_FALSE(page(0).Muted());
  frm.reset();  // before the sound it was given
}

TEST_F(WebMainFrmTest, ShowingAWindowTheBossKeyHidBringsTheSoundBackWithIt) {
  LoggedIn();
  main().events.BossKeyPressed();
  ASSERT_TRUE(page(0).Muted());
  // A further login while the window is away shows it again.
  frm->SetURL(kGame2);
  frm->Show();
  EXPECT_TRUE(main().visible);
  EXPECT_FALSE(page(0).Muted());
  EXPECT_FALSE(page(1).Muted());
  // The next press hides it again rather than showing a shown window.
  main().events.BossKeyPressed();
  EXPECT_FALSE(main().visible);
  EXPECT_TRUE(page(0).Muted());
}

TEST_F(WebMainFrmTest, TheTraysLeftClickTogglesAndItsRightClickPopsTheMenuEvenWhileHidden) {
  LoggedIn();
  main().events.TrayMessage(kTrayLeftButtonUp);
  EXPECT_FALSE(main().visible);
  EXPECT_TRUE(page(0).Muted());
  main().events.TrayMessage(kTrayRightButtonUp);
  EXPECT_EQ(main().popped, &frm->appmenu());
  EXPECT_FALSE(main().visible);
  main().events.TrayMessage(0x0200);  // a mere move over the icon
  main().events.TrayMessage(kTrayLeftButtonUp);
  EXPECT_TRUE(main().visible);
  EXPECT_FALSE(page(0).Muted());
  EXPECT_EQ(log, (Log{"hide", "popup menu", "show"}));
}

// --- close check and unload ------------------------------------------------------------------

TEST_F(WebMainFrmTest, EveryClosePathAsksOnceAfterTheEventHasReturned) {
  LoggedIn();
  AnswerWith(false);
  const std::vector<std::pair<const char*, std::function<void()>>> paths{
      {"close button", [&] { test::Click(main().close.button); }},
      {"menu exit", [&] { Choose("退出"); }},
      {"system close", [&] { main().events.Form_CloseRequested(); }},
      {"close command", [&] { main().objStyle->CloseClick(); }},
      {"last tab's close box", [&] { EXPECT_FALSE(tabs().Remove(0, true)); }},
  };
  int asked = 0;
  for (const auto& [name, close] : paths) {
    close();
    EXPECT_EQ(views.msg_views.confirmations, asked) << name << ": not inside the event";
    EXPECT_EQ(ports.posted.size(), 1U) << name;
    ports.RunPosted();
    EXPECT_EQ(views.msg_views.confirmations, ++asked) << name;
  }
  // "否" every time: everything stays as it was.
  EXPECT_EQ(tabs().Count(), 1);
  EXPECT_FALSE(frm->Unloaded());
  EXPECT_FALSE(frm->m_bExit());
  EXPECT_FALSE(Logged("unhook hotkey"));
  EXPECT_FALSE(Logged("owner: unloaded"));
}

TEST_F(WebMainFrmTest, RepeatedRequestsBeforeTheCheckRunsAskOnce) {
  LoggedIn();
  AnswerWith(false);
  test::Click(main().close.button);
  main().events.Form_CloseRequested();
  Choose("退出");
  ports.RunPosted();
  EXPECT_EQ(views.msg_views.confirmations, 1);
}

TEST_F(WebMainFrmTest, YesUnloadsInOrderAndEndsThroughTheOwner) {
  LoggedIn();
  frm->SetURL(kGame2);
  AnswerWith(true);
  test::Click(main().close.button);
  log.clear();
  ports.RunPosted();
  const Log expected{"msg created",
                     "msg bar width 3630",
                     "msg bar painted",
                     "msg shown",
                     "msg region 243x141 4",
                     "msg form painted",
                     "msg closebtn left 2900",
                     "msg unload",
                     "msg returned",
                     "msg destroyed",
                     "unhook hotkey",
                     "page 700 destroyed",
                     "page 701 destroyed",
                     "release style",
                     "tray delete Orvane客户端 100 55",
                     "main destroyed",
                     "owner: unloaded"};
  EXPECT_EQ(log, expected);
  EXPECT_TRUE(frm->m_bExit());
  EXPECT_TRUE(frm->Unloaded());
  EXPECT_FALSE(frm->Loaded());
  // Nothing reaches a window that is gone.
  frm->RequestClose();
  frm->SetURL(kGame1);
  frm->Show();
  EXPECT_TRUE(ports.posted.empty());
  EXPECT_EQ(views.main_windows, 1);
}

TEST_F(WebMainFrmTest, OnceExitIsAllowedTheWindowClosesWithoutAsking) {
  LoggedIn();
  frm->m_bExit(true);  // the updater has started
  Choose("退出");
  ports.RunPosted();
  EXPECT_EQ(views.msg_views.confirmations, 0);
  EXPECT_TRUE(frm->Unloaded());
  EXPECT_TRUE(Logged("owner: unloaded"));
}

TEST_F(WebMainFrmTest, ASecondRequestWhileTheConfirmationIsOpenOpensNoSecondOne) {
  LoggedIn();
  views.msg_views.on_shown = [&](test::FakeMsgFrmView& msg) {
    // The nested loop runs: the user closes again by each path, and the loop runs what
    // those requests posted.
    test::Click(main().close.button);
    main().events.Form_CloseRequested();
    main().objStyle->CloseClick();
    ports.RunPosted();
    test::Click(msg.no.button);
  };
  test::Click(main().close.button);
  ports.RunPosted();
  EXPECT_EQ(views.msg_views.confirmations, 1);
  EXPECT_FALSE(frm->Unloaded());
  // Afterwards closing asks again.
  AnswerWith(true);
  test::Click(main().close.button);
  ports.RunPosted();
  EXPECT_EQ(views.msg_views.confirmations, 2);
  EXPECT_TRUE(frm->Unloaded());
}

TEST_F(WebMainFrmTest, AnUpdateStartedWhileTheConfirmationIsOpenClosesEvenOnNo) {
  LoggedIn();
  // The update command from the tray's menu, during the confirmation, starts the updater.
  ports.on_update = [&] {
    frm->m_bExit(true);
    frm->RequestClose();
  };
  views.msg_views.on_shown = [&](test::FakeMsgFrmView& msg) {
    main().events.TrayMessage(kTrayRightButtonUp);
    Choose("更新");
    test::Click(msg.no.button);
  };
  test::Click(main().close.button);
  ports.RunPosted();
  EXPECT_EQ(views.msg_views.confirmations, 1);
  EXPECT_TRUE(frm->Unloaded());
}

TEST_F(WebMainFrmTest, TheBossKeyAndTheTrayKeepWorkingWhileTheConfirmationIsOpen) {
  LoggedIn();
  views.msg_views.on_shown = [&](test::FakeMsgFrmView& msg) {
    main().events.BossKeyPressed();
    main().events.TrayMessage(kTrayLeftButtonUp);
    test::Click(msg.no.button);
  };
  test::Click(main().close.button);
  ports.RunPosted();
  EXPECT_TRUE(Logged("hide"));
  EXPECT_TRUE(main().visible);
}

TEST_F(WebMainFrmTest, AWindowObjectThatEndsLoadedReleasesEverythingWithoutTheOwner) {
  LoggedIn();
  test::Click(main().close.button);  // a check still posted
  frm.reset();
  EXPECT_TRUE(Logged("unhook hotkey"));
  EXPECT_TRUE(Logged("tray delete Orvane客户端 100 55"));
  EXPECT_EQ(log.back(), "main destroyed");
  EXPECT_FALSE(Logged("owner: unloaded"));
  ports.RunPosted();  // finds the window gone
  EXPECT_EQ(views.msg_views.confirmations, 0);
}

}  // namespace
}  // namespace orvane
