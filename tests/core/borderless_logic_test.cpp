// The borderless behaviour's hit test, resize limits, outline, maximise and restore,
// against a recording host.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "widgets/borderless.h"
#include "widgets/borderless_geometry.h"
#include "widgets/taskbar_height.h"

namespace orvane {
namespace {

using ::testing::ElementsAre;

std::string Edges(const EdgeRect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

class FakeHost final : public cSetStyleHost {
 public:
  Point CursorPos() override { return cursor; }
  EdgeRect WindowRect() override { return window; }
  void SetFormPointer(ResizePointer p) override { pointer = p; }
  void OpenScreenDrawing() override {
    log.push_back("open");
    ++open;
  }
  void DrawOutline(const EdgeRect& r) override {
    log.push_back("outline " + Edges(r));
    // Drawing twice removes it, as the focus rectangle does on the screen.
    auto it = std::find(shown.begin(), shown.end(), r);
    if (it != shown.end()) {
      shown.erase(it);
    } else {
      shown.push_back(r);
    }
  }
  void CloseScreenDrawing() override {
    log.push_back("close");
    --open;
  }
  void MoveWindowTo(const EdgeRect& r) override {
    log.push_back("move " + Edges(r));
    window = r;
  }
  FormPlace Place() override { return place; }
  void MoveForm(const FormPlace& p) override {
    place = p;
    ++form_moves;
  }
  bool Minimised() override { return minimised; }
  ScreenMetrics Screen() override { return screen; }

  Point cursor;
  EdgeRect window{100, 100, 1100, 800};
  ResizePointer pointer = ResizePointer::kArrow;
  std::vector<std::string> log;
  std::vector<EdgeRect> shown;
  int open = 0;
  FormPlace place{1500.4, 1499.6, 15000, 10500};
  int form_moves = 0;
  bool minimised = false;
  ScreenMetrics screen{0, 0, 19200, 15360, 984, 15};
};

class Events final : public cSetStyleEvents {
 public:
  void CloseClick() override { log.push_back("CloseClick"); }
  void SettingChange() override { log.push_back("SettingChange"); }
  void MouseSize(std::int32_t zone) override { log.push_back("MouseSize " + std::to_string(zone)); }
  std::vector<std::string> log;
};

TEST(BorderlessHitTest, CornersWinOverEdgesWithinFivePixels) {
  const EdgeRect w{100, 100, 1100, 800};
  EXPECT_EQ(HitTest(w, Point{105, 795}), kZoneBottomLeft);
  EXPECT_EQ(HitTest(w, Point{95, 805}), kZoneBottomLeft);
  EXPECT_EQ(HitTest(w, Point{104, 104}), kZoneTopLeft);
  EXPECT_EQ(HitTest(w, Point{1096, 796}), kZoneBottomRight);
  EXPECT_EQ(HitTest(w, Point{1100, 100}), kZoneTopRight);
  // Edges need the point clear of the corners (more than 5 pixels in).
  EXPECT_EQ(HitTest(w, Point{106, 100}), kZoneTop);
  EXPECT_EQ(HitTest(w, Point{1103, 106}), kZoneRight);
  EXPECT_EQ(HitTest(w, Point{600, 804}), kZoneBottom);
  EXPECT_EQ(HitTest(w, Point{97, 400}), kZoneLeft);
  EXPECT_EQ(HitTest(w, Point{106, 106}), kZoneNone);
  EXPECT_EQ(HitTest(w, Point{94, 400}), kZoneNone);
  EXPECT_EQ(HitTest(w, Point{600, 400}), kZoneNone);
}

TEST(BorderlessHitTest, EachZoneHasItsPointer) {
  EXPECT_EQ(ZonePointer(kZoneNone), ResizePointer::kArrow);
  EXPECT_EQ(ZonePointer(kZoneTop), ResizePointer::kSizeNS);
  EXPECT_EQ(ZonePointer(kZoneBottom), ResizePointer::kSizeNS);
  EXPECT_EQ(ZonePointer(kZoneTopRight), ResizePointer::kSizeNESW);
  EXPECT_EQ(ZonePointer(kZoneBottomLeft), ResizePointer::kSizeNESW);
  EXPECT_EQ(ZonePointer(kZoneRight), ResizePointer::kSizeWE);
  EXPECT_EQ(ZonePointer(kZoneLeft), ResizePointer::kSizeWE);
  EXPECT_EQ(ZonePointer(kZoneBottomRight), ResizePointer::kSizeNWSE);
  EXPECT_EQ(ZonePointer(kZoneTopLeft), ResizePointer::kSizeNWSE);
}

TEST(BorderlessResizeRect, SidesKeepMoreThan800By600AndTheTopHasNoMinimum) {
  EdgeRect n{100, 100, 1100, 800};
  UpdateResizeRect(n, kZoneRight, Point{901, 0});
  EXPECT_EQ(n.right, 901);
  UpdateResizeRect(n, kZoneRight, Point{900, 0});  // would be 800 wide: stays
  EXPECT_EQ(n.right, 901);
  UpdateResizeRect(n, kZoneBottom, Point{0, 701});
  EXPECT_EQ(n.bottom, 701);
  UpdateResizeRect(n, kZoneBottom, Point{0, 700});  // would be 600 high: stays
  EXPECT_EQ(n.bottom, 701);
  UpdateResizeRect(n, kZoneBottom, Point{0, 650});
  EXPECT_EQ(n.bottom, 701);
  UpdateResizeRect(n, kZoneLeft, Point{100, 0});  // 901 - 100 = 801 > 800
  EXPECT_EQ(n.left, 100);
  UpdateResizeRect(n, kZoneLeft, Point{101, 0});  // 800: stays
  EXPECT_EQ(n.left, 100);
  // Bottom-right: each side on its own test.
  UpdateResizeRect(n, kZoneBottomRight, Point{850, 900});
  EXPECT_EQ(n, (EdgeRect{100, 100, 901, 900}));
  UpdateResizeRect(n, kZoneBottomLeft, Point{50, 650});
  EXPECT_EQ(n, (EdgeRect{50, 100, 901, 900}));
  // The top zones follow the pointer without a minimum.
  UpdateResizeRect(n, kZoneTop, Point{0, 880});
  EXPECT_EQ(n.top, 880);
  UpdateResizeRect(n, kZoneTopLeft, Point{890, 10});
  EXPECT_EQ(n, (EdgeRect{890, 10, 901, 900}));
  UpdateResizeRect(n, kZoneTopRight, Point{895, 20});
  EXPECT_EQ(n, (EdgeRect{890, 20, 895, 900}));
  UpdateResizeRect(n, kZoneNone, Point{0, 0});
  EXPECT_EQ(n, (EdgeRect{890, 20, 895, 900}));
}

TEST(TaskbarHeight, OnlyTheBottomOfTheWorkAreaCounts) {
  EXPECT_EQ(GetTaskbarHeight(ScreenMetrics{0, 0, 19200, 15360, 984, 15}), 600);
  EXPECT_EQ(GetTaskbarHeight(ScreenMetrics{0, 0, 19200, 15360, 1024, 15}), 0);
  // A 120-dpi display converts with its own factor.
  EXPECT_EQ(GetTaskbarHeight(ScreenMetrics{0, 0, 15360, 12288, 994, 12}), 360);
}

class BorderlessTest : public ::testing::Test {
 protected:
  BorderlessTest() { style.SetEvents(&events); }
  FakeHost host;
  Events events;
  cSetStyle style{host};
};

TEST_F(BorderlessTest, MovesOverTheFormReportTheZoneAndSetItsPointer) {
  host.cursor = Point{1100, 400};
  style.OnMouseMove(false);
  EXPECT_EQ(style.HitZone(), kZoneRight);
  EXPECT_EQ(host.pointer, ResizePointer::kSizeWE);
  host.cursor = Point{600, 400};
  style.OnMouseMove(false);
  EXPECT_EQ(host.pointer, ResizePointer::kArrow);
  EXPECT_THAT(events.log, ElementsAre("MouseSize 2", "MouseSize -1"));
}

TEST_F(BorderlessTest, DraggingTheRightEdgeLeftStopsAt801Pixels) {
  host.cursor = Point{1100, 400};
  style.OnLeftButtonDown();
  EXPECT_TRUE(style.Resizing());
  EXPECT_THAT(host.log, ElementsAre("open", "outline 100,100,1100,800"));
  for (int x = 1000; x >= 850; x -= 33) {  // 1000, 967, 934, 901, 868
    host.cursor = Point{x, 400};
    style.OnMouseMove(true);
  }
  EXPECT_EQ(style.DrawnRect(), (EdgeRect{100, 100, 901, 800}));
  // Exactly one outline shows at any time: the drawn rectangle.
  EXPECT_THAT(host.shown, ElementsAre(EdgeRect{100, 100, 901, 800}));
  style.OnLeftButtonUp();
  EXPECT_TRUE(host.shown.empty());  // no trace
  EXPECT_EQ(host.window, (EdgeRect{100, 100, 901, 800}));
  EXPECT_EQ(host.log.back(), "close");
  EXPECT_EQ(host.open, 0);
  EXPECT_FALSE(style.Resizing());
}

TEST_F(BorderlessTest, DraggingTheBottomUpStopsAt601Pixels) {
  host.cursor = Point{600, 800};
  style.OnLeftButtonDown();
  host.cursor = Point{600, 650};
  style.OnMouseMove(true);
  host.cursor = Point{600, 701};
  style.OnMouseMove(true);
  host.cursor = Point{600, 690};
  style.OnMouseMove(true);
  style.OnLeftButtonUp();
  EXPECT_EQ(host.window, (EdgeRect{100, 100, 1100, 701}));
}

TEST_F(BorderlessTest, MovesWithoutTheLeftButtonDoNotResize) {
  host.cursor = Point{1100, 400};
  style.OnLeftButtonDown();
  host.cursor = Point{1200, 400};
  style.OnMouseMove(false);
  EXPECT_EQ(style.DrawnRect(), (EdgeRect{100, 100, 1100, 800}));
  EXPECT_TRUE(events.log.empty());  // no zone test while resizing
}

TEST_F(BorderlessTest, APressInsideOrAReleaseWithoutPressDoesNothing) {
  host.cursor = Point{600, 400};
  style.OnLeftButtonDown();
  style.OnLeftButtonUp();
  EXPECT_FALSE(style.Resizing());
  EXPECT_TRUE(host.log.empty());
}

TEST_F(BorderlessTest, MaximiseSavesWholeTwipsAndRestoreReturnsThem) {
  EXPECT_TRUE(style.CallWindowStateChange());
  EXPECT_EQ(host.place, (FormPlace{0, 0, 19200, 15360 - 600}));
  EXPECT_EQ(style.SavedPlace(), (FormPlace{1500, 1500, 15000, 10500}));
  EXPECT_FALSE(style.CallWindowStateChange());
  EXPECT_EQ(host.place, (FormPlace{1500, 1500, 15000, 10500}));
}

TEST_F(BorderlessTest, MaximisedShowsNoResizePointerAndStartsNoDrag) {
  style.CallWindowStateChange();
  host.pointer = ResizePointer::kArrow;
  host.cursor = Point{1100, 400};
  style.OnMouseMove(false);
  EXPECT_EQ(host.pointer, ResizePointer::kArrow);
  EXPECT_TRUE(events.log.empty());
  style.OnLeftButtonDown();
  EXPECT_FALSE(style.Resizing());
  EXPECT_TRUE(host.log.empty());
}

TEST_F(BorderlessTest, SettingChangeReFitsOnlyAMaximisedWindowThatIsNotMinimised) {
  style.OnSettingChange();
  EXPECT_EQ(host.form_moves, 0);
  style.CallWindowStateChange();
  host.screen.work_area_bottom = 964;  // the taskbar grew
  style.OnSettingChange();
  EXPECT_EQ(host.place, (FormPlace{0, 0, 19200, 15360 - 900}));
  host.minimised = true;
  host.screen.work_area_bottom = 1024;
  style.OnSettingChange();
  EXPECT_EQ(host.place.height, 15360 - 900);
  EXPECT_THAT(events.log, ElementsAre("SettingChange", "SettingChange", "SettingChange"));
}

TEST_F(BorderlessTest, CloseCommandRaisesCloseClickEachTime) {
  style.OnCloseCommand();
  style.OnCloseCommand();
  EXPECT_THAT(events.log, ElementsAre("CloseClick", "CloseClick"));
}

}  // namespace
}  // namespace orvane
