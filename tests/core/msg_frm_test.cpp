// The exit confirmation: its load and layout, and the answer it writes to the main window.
#include <gtest/gtest.h>

#include <string>

#include "app/msg_frm.h"
#include "base/product.h"
#include "core/main_window_fakes.h"

namespace orvane {
namespace {

using test::Log;

class RecordingOwner final : public MsgFrmOwner {
 public:
  explicit RecordingOwner(Log& log) : log_(log) {}
  void m_bExit(bool value) override {
    log_.push_back(value ? "m_bExit true" : "m_bExit false");
    exit = value;
  }
  bool exit = false;

 private:
  Log& log_;
};

class MsgFrmTest : public ::testing::Test {
 protected:
  Log log;
  test::FakeMsgFrmViews views{log};
  RecordingOwner owner{log};
  MsgFrm frm{owner};

  // Shows the confirmation with the user doing `act` while it is up.
  void Show(std::function<void(test::FakeMsgFrmView&)> act) {
    views.on_shown = std::move(act);
    frm.ShowModal(views);
  }
};

TEST_F(MsgFrmTest, LoadSetsTheBarTheCloseButtonsSkinAndTheCaptionThenTheResizeLaysOut) {
  std::string caption;
  int close_skin = 0;
  std::string yes;
  std::string no;
  Show([&](test::FakeMsgFrmView& view) {
    caption = view.bar.Caption();
    close_skin = test::PictureId(view.close.button.BackPicture());
    yes = view.yes.button.Caption();
    no = view.no.button.Caption();
    test::Click(view.yes.button);
  });
  EXPECT_EQ(caption, std::string(kProductName) + "客户端");
  EXPECT_EQ(caption, "Orvane客户端");
  EXPECT_EQ(close_skin, 103);
  EXPECT_EQ(yes, "是");
  EXPECT_EQ(no, "否");
  const Log expected{"msg created", "msg bar width 3630",
                     "msg bar painted",  // with its caption
                     "msg shown",
                     // 3630 x 2100 twips are 242 x 140 pixels; the region ends after them.
                     "msg region 243x141 4", "msg form painted",
                     // 48 2/3 pixels from the right edge.
                     "msg closebtn left 2900", "m_bExit true", "msg unload", "msg returned",
                     "msg destroyed"};
  EXPECT_EQ(log, expected);
}

TEST_F(MsgFrmTest, EveryResizeLaysTheWindowOutAgainAtItsNewSize) {
  Show([&](test::FakeMsgFrmView& view) {
    view.size = Size{4500, 3000};
    view.events.Form_Resize();
    test::Click(view.no.button);
  });
  EXPECT_NE(std::find(log.begin(), log.end(), "msg region 301x201 4"), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), "msg closebtn left 3770"), log.end());
}

TEST_F(MsgFrmTest, YesLetsTheMainWindowClose) {
  Show([](test::FakeMsgFrmView& view) { test::Click(view.yes.button); });
  EXPECT_TRUE(owner.exit);
}

TEST_F(MsgFrmTest, NoAndTheCloseButtonKeepItOpenWhateverTheFlagWasBefore) {
  owner.exit = true;
  Show([](test::FakeMsgFrmView& view) { test::Click(view.no.button); });
  EXPECT_FALSE(owner.exit);
  owner.exit = true;
  Show([](test::FakeMsgFrmView& view) { test::Click(view.close.button); });
  EXPECT_FALSE(owner.exit);
  // Each confirmation is a window of its own.
  EXPECT_EQ(views.confirmations, 2);
}

TEST_F(MsgFrmTest, ClosingTheWindowByOtherMeansLeavesTheFlagAsItWas) {
  for (const bool before : {false, true}) {
    owner.exit = before;
    log.clear();
    Show([](test::FakeMsgFrmView&) {});
    EXPECT_EQ(owner.exit, before);
    EXPECT_EQ(std::count(log.begin(), log.end(), "m_bExit true") +
                  std::count(log.begin(), log.end(), "m_bExit false"),
              0);
    EXPECT_EQ(log.back(), "msg destroyed");
  }
}

TEST_F(MsgFrmTest, OnlyTheFirstAnswerCounts) {
  Show([](test::FakeMsgFrmView& view) {
    test::Click(view.yes.button);
    test::Click(view.no.button);
    test::Click(view.close.button);
  });
  EXPECT_TRUE(owner.exit);
  EXPECT_EQ(std::count(log.begin(), log.end(), "msg unload"), 1);
}

TEST_F(MsgFrmTest, APressOnTheCaptionBarWithAnyButtonMovesTheWindow) {
  Show([](test::FakeMsgFrmView& view) {
    view.bar.OnMouseDown(2, 0, 10, 10);  // right button
    view.bar.OnMouseDown(1, 0, 10, 10);
    test::Click(view.no.button);
  });
  EXPECT_EQ(std::count(log.begin(), log.end(), "msg drag"), 2);
}

TEST_F(MsgFrmTest, WithoutAWindowThereIsNoAnswer) {
  class NoViews final : public MsgFrmViews {
   public:
    std::unique_ptr<MsgFrmView> CreateMsgFrmView(MsgFrmEvents&) override { return nullptr; }
  } none;
  owner.exit = false;
  frm.ShowModal(none);
  EXPECT_FALSE(owner.exit);
  EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace orvane
