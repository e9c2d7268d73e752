// The GTK strip under the pointer: synthesised GDK events for exact sequences, and one
// real pointer driven through the X server.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "gtk/tab_strip_gtk_support.h"

namespace orvane::testing {
namespace {

using ::testing::ElementsAre;

double OnTab(int i) {
  return 10 + 205 * i + 60;
}
double OnClose(int i) {
  return 10 + 205 * i + 200 - 14;
}

class TabStripPointerGtk : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(GtkReady()) << "no display";
    f = std::make_unique<StripForm>();
    for (const char* caption : {"a", "b", "c"}) {
      f->AddPage(caption);
    }
    f->strip().Strip().SetSelected(0);
    Pump();
    f->events.log.clear();
  }
  void TearDown() override { f.reset(); }
  std::unique_ptr<StripForm> f;
};

TEST_F(TabStripPointerGtk, APressSelectsTheTabAndShowsItsPage) {
  f->Press(1, OnTab(2), 12);
  f->Release(1, OnTab(2), 12);
  EXPECT_EQ(f->strip().Strip().Selected(), 2);
  EXPECT_TRUE(gtk_widget_get_visible(f->pages[2]->Widget()));
  EXPECT_THAT(f->events.log, ElementsAre("TabChanged", "OnMouseDown 2 b1 s0", "OnMouseUp 2 b1"));
}

TEST_F(TabStripPointerGtk, ButtonsAndModifiersAreReported) {
  f->Press(3, OnTab(1), 12, GDK_SHIFT_MASK | GDK_CONTROL_MASK);
  f->Release(3, OnTab(1), 12);
  f->Press(2, OnTab(1), 12, GDK_MOD1_MASK);
  f->Release(2, OnTab(1), 12);
  EXPECT_THAT(f->events.log, ElementsAre("OnMouseDown 0 b2 s3", "OnMouseUp 0 b2",
                                         "OnMouseDown 0 b4 s4", "OnMouseUp 0 b4"));
  EXPECT_EQ(f->strip().Strip().Selected(), 0);
}

TEST_F(TabStripPointerGtk, TheCloseBoxClosesItsTabAndDestroysThePage) {
  auto page = f->pages[1];
  f->pages.clear();
  f->Move(OnClose(1), 12);
  EXPECT_EQ(f->strip().Strip().CloseState(), 1);
  f->Press(1, OnClose(1), 12);
  EXPECT_EQ(f->strip().Strip().CloseState(), 2);
  f->Move(OnClose(1) + 1, 12, GDK_BUTTON1_MASK);
  f->Release(1, OnClose(1) + 1, 12);
  EXPECT_EQ(f->strip().TabItems().Count(), 2);
  EXPECT_TRUE(page->unloaded);
  EXPECT_THAT(f->events.log, ElementsAre("OnMouseHover 1", "TabChanged", "OnMouseDown 1 b1 s0",
                                         "OnItemColose 1", "OnMouseUp 1 b1"));
}

TEST_F(TabStripPointerGtk, ReleasingElsewhereClosesNothing) {
  f->Move(OnClose(1), 12);
  f->Press(1, OnClose(1), 12);
  f->Move(OnClose(1), 200, GDK_BUTTON1_MASK);
  f->Release(1, OnClose(1), 200);
  EXPECT_EQ(f->strip().TabItems().Count(), 3);
  EXPECT_EQ(f->strip().Strip().CloseState(), 0);
}

TEST_F(TabStripPointerGtk, ASecondQuickPressIsADoubleClick) {
  f->Press(1, OnTab(1), 12);
  f->Release(1, OnTab(1), 12);
  f->Press(1, OnTab(1), 12, 0, 100);
  f->Release(1, OnTab(1), 12);
  EXPECT_THAT(f->events.log,
              ElementsAre("TabChanged", "OnMouseDown 1 b1 s0", "OnMouseUp 1 b1", "TabChanged",
                          "OnMouseDown 1 b1 s0", "OnDblClick 1", "OnMouseUp 1 b1"));
}

TEST_F(TabStripPointerGtk, LeavingAfterAMoveResetsTheHover) {
  f->Leave();  // no move asked for a report yet
  EXPECT_TRUE(f->events.log.empty());
  f->Move(OnTab(1), 12);
  f->Leave();
  EXPECT_EQ(f->strip().Strip().HoverIndex(), -1);
  EXPECT_THAT(f->events.log, ElementsAre("OnMouseHover 1", "OnMouseLeave"));
}

// xdotool moves the X server's real pointer; GTK sees genuine motion, button and
// crossing events.
bool Xdotool(const std::string& args) {
  return std::system(("xdotool " + args + " >/dev/null 2>&1").c_str()) == 0;
}

TEST_F(TabStripPointerGtk, ARealPointerSelectsHoversAndLeaves) {
  gtk_window_present(GTK_WINDOW(f->form()));
  Pump();
  gint ox = 0;
  gint oy = 0;
  gdk_window_get_origin(gtk_widget_get_window(f->area()), &ox, &oy);
  const int x = ox + static_cast<int>(OnTab(2));
  const int y = oy + 12;
  // A warp alone reaches GTK as a crossing only; the small relative move that follows is
  // a motion of the pointer device.
  ASSERT_TRUE(Xdotool("mousemove " + std::to_string(x - 1) + " " + std::to_string(y) +
                      " mousemove_relative 1 0"));
  PumpUntil([&] { return f->strip().Strip().HoverIndex() == 2; });
  EXPECT_EQ(f->strip().Strip().HoverIndex(), 2) << ::testing::PrintToString(f->events.log);
  ASSERT_TRUE(Xdotool("click 1"));
  PumpUntil([&] { return f->strip().Strip().Selected() == 2; });
  EXPECT_EQ(f->strip().Strip().Selected(), 2);
  ASSERT_TRUE(Xdotool("mousemove 1249 1000 mousemove_relative 1 0"));
  PumpUntil([&] { return f->strip().Strip().HoverIndex() == -1; });
  EXPECT_EQ(f->strip().Strip().HoverIndex(), -1);
  ASSERT_FALSE(f->events.log.empty());
  EXPECT_EQ(f->events.log.back(), "OnMouseLeave");
}

}  // namespace
}  // namespace orvane::testing
