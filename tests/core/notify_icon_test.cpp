// CNxNotifyIcon: what each operation asks of the tray, and which clicks reach the owner.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "mainwin/notify_icon.h"
#include "mainwin/notify_icon_record.h"
#include "support/counting_tray_owner.h"

namespace orvane {
namespace {

struct Request {
  NotifyIconCommand command;
  NotifyIconState state;
};

class RecordingTray final : public NotifyIconHost {
 public:
  void Notify(NotifyIconCommand command, const NotifyIconState& state) override {
    requests.push_back({command, state});
  }
  std::vector<Request> requests;
};

using CountingOwner = orvane::testing::CountingTrayOwner;

TEST(CNxNotifyIcon, AddCarriesWindowIconTipAndTheCallbackMessage) {
  RecordingTray tray;
  {
    CNxNotifyIcon icon(tray);
    icon.AddNotifyIcon(0x100, 0x200, "Orvane客户端");
    ASSERT_EQ(tray.requests.size(), 1u);
    const Request& add = tray.requests[0];
    EXPECT_EQ(add.command, NotifyIconCommand::kAdd);
    EXPECT_EQ(add.state.window, 0x100u);
    EXPECT_EQ(add.state.icon, 0x200u);
    EXPECT_EQ(add.state.callback_message, 0x1862u);
    EXPECT_EQ(add.state.tip, "Orvane客户端");
    EXPECT_TRUE(add.state.info_title.empty());
    EXPECT_TRUE(add.state.info.empty());
  }
  // The end of the object removes the icon without a further call.
  ASSERT_EQ(tray.requests.size(), 2u);
  EXPECT_EQ(tray.requests[1].command, NotifyIconCommand::kDelete);
  EXPECT_EQ(tray.requests[1].state.window, 0x100u);
}

TEST(CNxNotifyIcon, ModifyKeepsTheOwnersCallbackMessage) {
  RecordingTray tray;
  CNxNotifyIcon icon(tray);
  icon.AddNotifyIcon(0x100, 0x200, "one");
  icon.ModifyNotifyIcon(0x100, 0x300, "two");
  ASSERT_EQ(tray.requests.size(), 2u);
  EXPECT_EQ(tray.requests[1].command, NotifyIconCommand::kModify);
  EXPECT_EQ(tray.requests[1].state.callback_message, kTrayCallbackMessage);
  EXPECT_EQ(tray.requests[1].state.icon, 0x300u);
  EXPECT_EQ(tray.requests[1].state.tip, "two");
}

TEST(CNxNotifyIcon, BubblesChangeOnlyTheBalloonAndHideClearsItsTexts) {
  RecordingTray tray;
  CNxNotifyIcon icon(tray);
  icon.AddNotifyIcon(0x100, 0x200, "tip");
  icon.ShowBubble("Title", "Text", 1);
  icon.HideBubble();
  icon.ShowBubble("New", "Newer", 2);
  ASSERT_EQ(tray.requests.size(), 4u);

  const NotifyIconState& shown = tray.requests[1].state;
  EXPECT_EQ(tray.requests[1].command, NotifyIconCommand::kModify);
  EXPECT_EQ(shown.info_title, "Title");
  EXPECT_EQ(shown.info, "Text");
  EXPECT_EQ(shown.info_flags, 1u);
  EXPECT_EQ(shown.tip, "tip");
  EXPECT_EQ(shown.window, 0x100u);

  const NotifyIconState& hidden = tray.requests[2].state;
  EXPECT_EQ(tray.requests[2].command, NotifyIconCommand::kModify);
  EXPECT_TRUE(hidden.info_title.empty());
  EXPECT_TRUE(hidden.info.empty());
  EXPECT_EQ(hidden.tip, "tip");

  const NotifyIconState& again = tray.requests[3].state;
  EXPECT_EQ(again.info_title, "New");
  EXPECT_EQ(again.info, "Newer");
  EXPECT_EQ(again.info_flags, 2u);
}

TEST(CNxNotifyIcon, TheStateWrittenAsARecordKeepsOnlyTheNewBalloon) {
  // The Windows tray writes each request's state into one record kept for the object's
  // life; after show, hide, show the record holds the second balloon alone.
  class RecordTray final : public NotifyIconHost {
   public:
    void Notify(NotifyIconCommand command, const NotifyIconState& s) override {
      if (command == NotifyIconCommand::kDelete) {
        return;
      }
      record.SetIcon(s.window, s.icon, s.callback_message, s.tip);
      if (s.info_title.empty() && s.info.empty()) {
        record.ClearBalloon();
      } else {
        record.SetBalloon(s.info_title, s.info, s.info_flags);
      }
    }
    NotifyIconRecord record;
  } tray;
  CNxNotifyIcon icon(tray);
  icon.AddNotifyIcon(1, 2, "tip");
  icon.ShowBubble("A first, longer title", "A first, longer text", 1);
  icon.HideBubble();
  icon.ShowBubble("B", "C", 2);
  EXPECT_EQ(tray.record.Text(notify_icon_field::kInfoTitle), "B");
  EXPECT_EQ(tray.record.Text(notify_icon_field::kInfo), "C");
  const auto& bytes = tray.record.Bytes();
  for (std::size_t i = 421; i < 484; ++i) {
    ASSERT_EQ(bytes[i], 0) << "byte " << i;
  }
  for (std::size_t i = 161; i < 416; ++i) {
    ASSERT_EQ(bytes[i], 0) << "byte " << i;
  }
}

TEST(CNxNotifyIcon, OnlyLeftAndRightButtonReleasesReachTheOwner) {
  RecordingTray tray;
  CountingOwner owner;
  CNxNotifyIcon icon(tray, &owner);
  EXPECT_TRUE(icon.OnCallbackMessage(0x0202));
  EXPECT_TRUE(icon.OnCallbackMessage(0x0205));
  EXPECT_TRUE(icon.OnCallbackMessage(0x0202));
  // Moves, presses, double clicks and the middle button do nothing.
  for (std::uint32_t other : {0x0200u, 0x0201u, 0x0203u, 0x0204u, 0x0206u, 0x0207u, 0x0208u}) {
    EXPECT_FALSE(icon.OnCallbackMessage(other)) << other;
  }
  EXPECT_EQ(owner.left, 2);
  EXPECT_EQ(owner.right, 1);

  CNxNotifyIcon ownerless(tray);
  EXPECT_TRUE(ownerless.OnCallbackMessage(0x0202));
}

}  // namespace
}  // namespace orvane
