// The boss key: hide and show the main window, silencing the game while it is hidden and
// bringing each page's sound back as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mainwin/boss_key.h"
#include "mainwin/hand_over.h"

namespace orvane {
namespace {

using Log = std::vector<std::string>;

class FakeWindow final : public BossKeyWindow, public GameSound {
 public:
  bool visible = true;
  Log log;
  bool WindowVisible() const override { return visible; }
  void HideWindow() override {
    visible = false;
    log.push_back("hide");
  }
  void ShowWindow() override {
    visible = true;
    log.push_back("show");
  }
  void Silence() override { log.push_back("silence"); }
  void Restore() override { log.push_back("restore"); }
};

TEST(BossKeyTest, TwoPressesHideThenShowAndSoundFollows) {
  FakeWindow window;
  BossKey key(window, window);
  key.Toggle();
  EXPECT_FALSE(window.visible);
  EXPECT_TRUE(key.Silenced());
  key.Toggle();
  EXPECT_TRUE(window.visible);
  EXPECT_FALSE(key.Silenced());
  EXPECT_EQ(window.log, (Log{"silence", "hide", "show", "restore"}));
}

TEST(BossKeyTest, AWindowHiddenByOtherMeansIsShownWithoutTouchingTheSound) {
  FakeWindow window;
  window.visible = false;
  BossKey key(window, window);
  key.Toggle();
  EXPECT_EQ(window.log, (Log{"show"}));
}

TEST(BossKeyTest, AWindowShownByOtherMeansIsSilencedOnlyOnce) {
  FakeWindow window;
  BossKey key(window, window);
  key.Toggle();
  window.visible = true;  // shown by the system, not by the key
  key.Toggle();
  key.Toggle();
  EXPECT_EQ(window.log, (Log{"silence", "hide", "hide", "show", "restore"}));
}

class FakePage final : public browser::Browser {
 public:
  bool muted = false;
  void SetMuted(bool value) override { muted = value; }
  bool Muted() const override { return muted; }
  void Navigate(const std::string&) override {}
  void Refresh() override {}
  bool Silent() const override { return true; }
  void Silent(bool) override {}
  std::string LocationURL() const override { return ""; }
  bool DocumentHasContent() const override { return true; }
  void HideScrollBars() override {}
  void Place(const browser::BrowserPlacement&) override {}
  browser::DocumentId TopLevel() const override { return 0; }
};

TEST(BossKeySoundTest, PagesAreMutedWhileHiddenAndComeBackAsTheyWere) {
  FakePage playing;
  FakePage muted_by_player;
  muted_by_player.muted = true;
  FakePage opened_while_hidden;
  std::vector<browser::Browser*> pages{&playing, &muted_by_player};
  BrowserPagesSound sound([&] { return pages; });

  sound.Silence();
  EXPECT_TRUE(playing.muted);
  EXPECT_TRUE(muted_by_player.muted);

  opened_while_hidden.muted = true;  // the window mutes a page it opens while hidden
  pages.push_back(&opened_while_hidden);
  sound.Restore();
  EXPECT_FALSE(playing.muted);
  EXPECT_TRUE(muted_by_player.muted);
  EXPECT_FALSE(opened_while_hidden.muted);
}

class RecordingOwner final : public HandOverOwner {
 public:
  Log log;
  void OpenGameTab(const std::string& strURL) override { log.push_back("open " + strURL); }
  void PresentMainWindow() override { log.push_back("present"); }
};

TEST(HandOverTest, OnlyHttpAddressesReachTheGameTabs) {
  RecordingOwner owner;
  EXPECT_TRUE(HandOverAddress("http://s1.orvane-game.com/play?u=1", owner));
  EXPECT_TRUE(HandOverAddress("HTTPS://s2.orvane-game.com/", owner));
  for (const char* refused :
       {"", "file:///C:/Windows/win.ini", "javascript:alert(1)", "app://exitgame", "http://",
        "http:///path", "http://host/a b", "C:\\game.exe", "about:blank"}) {
    EXPECT_FALSE(HandOverAddress(refused, owner)) << refused;
  }
  EXPECT_EQ(owner.log, (Log{"present", "open http://s1.orvane-game.com/play?u=1", "present",
                            "open HTTPS://s2.orvane-game.com/"}));
}

}  // namespace
}  // namespace orvane
