// The skinned button's logic against a recording host: cutting, painting, the hover
// poll, the press and key sequences and the events it raises.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/numbered_error.h"
#include "widgets/button.h"

namespace orvane {
namespace {

using ::testing::ElementsAre;

// A picture known by its name; cells carry the rectangle they were cut from.
class FakePicture final : public Picture {
 public:
  FakePicture(std::string name, int width, int height)
      : name_(std::move(name)), width_(width), height_(height) {}
  double WidthHimetric() const override { return PictureHimetricFromPixels(width_); }
  double HeightHimetric() const override { return PictureHimetricFromPixels(height_); }
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
  int width_;
  int height_;
};

std::string NameOf(const Picture& picture) {
  return static_cast<const FakePicture&>(picture).Name();
}

class FakeStrip final : public StripSource {
 public:
  FakeStrip(std::string strip, std::vector<std::string>& log)
      : strip_(std::move(strip)), log_(log) {}
  PicturePtr CutCell(int x, int y, int w, int h) override {
    const std::string name = "cell@" + std::to_string(x);
    log_.push_back("cut " + strip_ + " " + std::to_string(x) + "," + std::to_string(y) + " " +
                   std::to_string(w) + "x" + std::to_string(h));
    return std::make_shared<FakePicture>(name, w, h);
  }

 private:
  std::string strip_;
  std::vector<std::string>& log_;
};

// Records every drawing call as a line; a paint is the lines from "clear" on.
class FakeHost final : public iButtonHost {
 public:
  Size ControlSize() const override { return size; }
  void SetControlSize(Size s) override {
    log.push_back("size " + std::to_string(s.cx) + "x" + std::to_string(s.cy));
    size = s;
  }
  void Clear() override {
    frame.clear();
    frame.push_back("clear");
  }
  void DrawPicture(const Picture& picture, const Rect& dest) override {
    frame.push_back("draw " + NameOf(picture) + " " + Box(dest) +
                    (back_style == 0 ? " transparent" : ""));
  }
  void DrawPictureNatural(const Picture& picture, Point at) override {
    frame.push_back("natural " + NameOf(picture) + " " + std::to_string(at.x) + "," +
                    std::to_string(at.y));
  }
  Size MeasureText(std::string_view text) override {
    return Size{static_cast<int>(text.size()) * 6, 12};
  }
  void DrawText(std::string_view text, Point at) override {
    frame.push_back("text " + std::string(text) + " " + std::to_string(at.x) + "," +
                    std::to_string(at.y));
  }
  void DrawFocusRect(const Rect& rect) override { frame.push_back("focus " + Box(rect)); }
  void Present() override { ++presents; }
  bool Enabled() const override { return enabled; }
  void SetEnabled(bool e) override { enabled = e; }
  std::int16_t BackStyle() const override { return back_style; }
  void SetBackStyle(std::int16_t s) override { back_style = s; }
  Colour BackColor() const override { return back_colour; }
  Colour ForeColor() const override { return fore_colour; }
  void SetForeColor(Colour c) override { fore_colour = c; }
  FontSpec Font() const override { return font; }
  void SetFont(const FontSpec& f) override { font = f; }
  std::int16_t DrawMode() const override { return draw_mode; }
  void SetDrawMode(std::int16_t m) override { draw_mode = m; }
  void SetMaskPicture(PicturePtr m) override {
    mask = m ? NameOf(*m) : "none";
    frame.push_back("mask " + mask);
  }
  PicturePtr SnapshotImage() override {
    return std::make_shared<FakePicture>("snapshot", size.cx, size.cy);
  }
  double DisplayTwipsPerPixelX() const override { return 15; }
  double DisplayTwipsPerPixelY() const override { return 15; }
  bool IsPointerOver() override { return pointer_over; }
  void ShowCursor(SystemCursor c) override { cursors.push_back(c); }
  void StartTimer(int interval) override {
    timer_interval = interval;
    timer_running = true;
  }
  void StopTimer() override { timer_running = false; }
  std::unique_ptr<StripSource> OpenStrip(const Picture& strip) override {
    return std::make_unique<FakeStrip>(NameOf(strip), log);
  }
  void PropertyChanged(std::string_view name) override { changed.emplace_back(name); }

  static std::string Box(const Rect& r) {
    return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) + "x" +
           std::to_string(r.height);
  }

  Size size{60, 20};
  std::vector<std::string> frame;
  std::vector<std::string> log;
  std::vector<std::string> changed;
  std::vector<SystemCursor> cursors;
  int presents = 0;
  bool enabled = true;
  std::int16_t back_style = 1;
  Colour back_colour = kButtonInitialBackColour;
  Colour fore_colour = 0;
  FontSpec font{"宋体", 9};
  std::int16_t draw_mode = 13;
  std::string mask = "none";
  bool pointer_over = false;
  bool timer_running = false;
  int timer_interval = 0;
};

// Records the events in order.
class Recorder final : public iButtonEvents {
 public:
  void Click() override { events.push_back("Click"); }
  void MouseDown(std::int16_t& b, std::int16_t&, float& x, float& y) override {
    events.push_back("MouseDown " + std::to_string(b) + " " + std::to_string(int(x)) + "," +
                     std::to_string(int(y)));
    if (remap_button) {
      b = *remap_button;
    }
  }
  void KeyDown(std::int16_t& k, std::int16_t&) override {
    events.push_back("KeyDown " + std::to_string(k));
    if (swallow_keys) {
      k = 0;
    }
  }
  void KeyUP(std::int16_t& k, std::int16_t&) override {
    events.push_back("KeyUP " + std::to_string(k));
    if (swallow_keys) {
      k = 0;
    }
  }
  void KeyPress(std::int16_t& a) override { events.push_back("KeyPress " + std::to_string(a)); }
  void MouseUp(std::int16_t& b, std::int16_t&, float&, float&) override {
    events.push_back("MouseUp " + std::to_string(b));
  }
  void MouseMove(std::int16_t&, std::int16_t&, float&, float&) override { ++moves; }
  void MouseOut() override { events.push_back("MouseOut"); }
  void MouseOver() override { events.push_back("MouseOver"); }
  void DBClick() override { events.push_back("DBClick"); }

  std::vector<std::string> events;
  std::optional<std::int16_t> remap_button;
  bool swallow_keys = false;
  int moves = 0;
};

PicturePtr Strip(int width, int height, std::string name = "strip") {
  return std::make_shared<FakePicture>(std::move(name), width, height);
}

class ButtonTest : public ::testing::Test {
 protected:
  ButtonTest() { button.SetEvents(&events); }

  // A shown push button with the 13 x 22 link strip, settled in the normal state.
  void ShowWithStrip(int width = 13, int height = 22, std::int32_t style = 0) {
    button.Style(style);
    button.BackPicture(Strip(width, height));
    button.OnShow();
    button.OnTimer();  // the creation tick: pointer elsewhere
    events.events.clear();
  }
  std::string ShownCell() const {
    for (const auto& line : host.frame) {
      if (line.rfind("draw ", 0) == 0) {
        return line.substr(5, line.find(' ', 5) - 5);
      }
    }
    return "-";
  }

  FakeHost host;
  Recorder events;
  iButton button{host};
};

TEST_F(ButtonTest, CreationPaintsOnlyTheClearedSurfaceAndStartsThePoll) {
  EXPECT_FALSE(button.ImagesReady());
  EXPECT_THAT(host.frame, ElementsAre("clear"));
  EXPECT_TRUE(host.timer_running);
  EXPECT_EQ(host.timer_interval, 50);
  // First tick with the pointer elsewhere: stop, one MouseOut, normal state.
  button.OnTimer();
  EXPECT_FALSE(host.timer_running);
  EXPECT_THAT(events.events, ElementsAre("MouseOut"));
  EXPECT_EQ(button.ShownState(), kStateNormal);
}

TEST_F(ButtonTest, FirstShowCutsFourCellsIncludingTheOneRightOfTheStrip) {
  button.BackPicture(Strip(13, 22));
  EXPECT_EQ(host.log.size(), 0u + 4 + 1);  // cut at once when a strip arrives, then sized
  host.log.clear();
  button.OnShow();
  EXPECT_THAT(host.log, ElementsAre("cut strip 0,0 4x22", "cut strip 4,0 4x22",
                                    "cut strip 8,0 4x22", "cut strip 12,0 4x22", "size 4x22"));
  host.log.clear();
  button.OnShow();  // later shows do nothing
  EXPECT_TRUE(host.log.empty());
  EXPECT_TRUE(button.ImagesReady());
  EXPECT_EQ(ShownCell(), "cell@0");
}

TEST_F(ButtonTest, ReadPropertiesThenFirstShowCutsOnce) {
  PropertyBag bag;
  FakeHost designer;
  iButton design(designer);
  struct Codec final : PictureCodec {
    std::vector<std::uint8_t> Encode(const Picture& p) override {
      const std::string n = NameOf(p);
      return {n.begin(), n.end()};
    }
    PicturePtr Decode(std::span<const std::uint8_t> b) override {
      return Strip(13, 22, std::string(b.begin(), b.end()));
    }
  } codec;
  design.BackPicture(Strip(13, 22, "link"));
  design.WriteProperties(bag, codec);
  button.ReadProperties(bag, codec);
  EXPECT_TRUE(host.log.empty());  // loading cuts nothing and sizes nothing
  button.OnShow();
  EXPECT_EQ(host.log.front(), "cut link 0,0 4x22");
  EXPECT_EQ(host.log.size(), 5u);
}

TEST_F(ButtonTest, EachCellIsStretchedOverTheWholeButton) {
  ShowWithStrip();
  host.SetControlSize(Size{81, 22});
  button.AutoSize(false);
  button.cMouseAction(kStateHover, true);
  EXPECT_THAT(host.frame, ElementsAre("clear", "draw cell@4 0,0 81x22"));
}

TEST_F(ButtonTest, ToggleButtonShowsTheOnCellsWhileItsValueIsTrue) {
  ShowWithStrip(150, 18, 1);
  // Eight cells (and the size) when the strip arrives, again at the first show.
  EXPECT_EQ(host.log.size(), 2u * (8 + 1));
  button.Value(true);
  EXPECT_EQ(ShownCell(), "cell@75");  // state 0, on: cell 3
  button.cMouseAction(kStatePressed, false);
  EXPECT_EQ(ShownCell(), "cell@125");  // cell 5
  button.Enabled(false);
  EXPECT_EQ(ShownCell(), "cell@150");  // cell 6, right of the strip
  button.Value(false);
  EXPECT_EQ(ShownCell(), "cell@75");  // disabled, off: cell 3
}

TEST_F(ButtonTest, ValueOnAPushButtonStaysFalseWithoutRepaint) {
  ShowWithStrip();
  const int presents = host.presents;
  button.Value(true);
  EXPECT_FALSE(button.Value());
  EXPECT_EQ(host.presents, presents);
}

TEST_F(ButtonTest, DisabledPushButtonShowsCellThree) {
  ShowWithStrip();
  button.Enabled(false);
  EXPECT_EQ(button.ShownState(), kStateDisabled);
  EXPECT_EQ(ShownCell(), "cell@12");
}

TEST_F(ButtonTest, LockedShowsThePressedCellAndShiftsTheCaptionOnlyInStateTwo) {
  ShowWithStrip();
  button.AutoSize(false);
  host.SetControlSize(Size{80, 22});
  button.Caption("ab");  // 12 x 12 pixels: at (34, 5)
  button.Locked(true);
  EXPECT_EQ(ShownCell(), "cell@8");
  EXPECT_EQ(host.frame.back(), "text ab 34,5");
  button.cMouseAction(kStateHover, false);
  EXPECT_EQ(ShownCell(), "cell@8");
  EXPECT_EQ(host.frame.back(), "text ab 34,5");
  button.cMouseAction(kStatePressed, false);
  EXPECT_EQ(ShownCell(), "cell@8");
  EXPECT_EQ(host.frame.back(), "text ab 35,6");
  button.Locked(false);
  EXPECT_EQ(ShownCell(), "cell@0");
}

TEST_F(ButtonTest, IconPlacementWithAndWithoutCaption) {
  ShowWithStrip();
  button.AutoSize(false);
  host.SetControlSize(Size{100, 30});
  button.Icon(std::make_shared<FakePicture>("icon", 16, 16));
  EXPECT_EQ(host.frame.size(), 2u);  // writing Icon does not repaint
  button.cMouseAction(kStateNormal, true);
  // Icon only: centred across, at the top edge.
  EXPECT_THAT(host.frame, ElementsAre("clear", "draw cell@0 0,0 100x30", "natural icon 42,0"));
  button.Caption("abcd");  // 24 px wide: would start at 38
  EXPECT_THAT(host.frame, ElementsAre("clear", "draw cell@0 0,0 100x30", "natural icon 30,0",
                                      "text abcd 54,9"));
}

TEST_F(ButtonTest, WithoutStripOnlyTheCaptionIsPainted) {
  button.Caption("x");
  EXPECT_THAT(host.frame, ElementsAre("clear", "text x 27,4"));
}

TEST_F(ButtonTest, PointerOverStartsHoverOnceAndShowsTheHand) {
  ShowWithStrip();
  host.pointer_over = true;
  button.OnMouseMove(0, 0, 1, 1);
  button.OnMouseMove(0, 0, 2, 1);
  EXPECT_THAT(events.events, ElementsAre("MouseOver"));
  EXPECT_EQ(events.moves, 2);
  EXPECT_EQ(host.cursors, (std::vector<SystemCursor>{SystemCursor::kHand, SystemCursor::kHand}));
  EXPECT_TRUE(button.Hovering());
  EXPECT_TRUE(host.timer_running);
  EXPECT_EQ(ShownCell(), "cell@4");
  // A move that finds the pointer elsewhere (a covering window) changes nothing.
  host.pointer_over = false;
  button.OnMouseMove(0, 0, 3, 1);
  EXPECT_EQ(host.cursors.size(), 2u);
}

TEST_F(ButtonTest, HoverPollFollowsItsTable) {
  ShowWithStrip();
  host.pointer_over = true;
  button.OnMouseMove(0, 0, 1, 1);
  button.OnTimer();  // over, no press: nothing
  EXPECT_EQ(button.ShownState(), kStateHover);
  button.OnMouseDown(1, 0, 1, 1);
  EXPECT_EQ(ShownCell(), "cell@8");
  host.pointer_over = false;
  button.OnTimer();  // pressed outside: normal cell, press kept, timer kept
  EXPECT_EQ(button.ShownState(), kStateNormal);
  EXPECT_TRUE(button.LeftHeld());
  EXPECT_TRUE(host.timer_running);
  host.pointer_over = true;
  button.OnTimer();  // back over: pressed again
  EXPECT_EQ(button.ShownState(), kStatePressed);
  host.pointer_over = false;
  button.OnTimer();
  button.OnMouseUp(1, 0, 100, 1);  // released outside
  EXPECT_EQ(button.ShownState(), kStateNormal);
  EXPECT_FALSE(button.LeftHeld());
  EXPECT_TRUE(button.Hovering());
  button.OnTimer();  // the next poll ends the hover
  EXPECT_THAT(events.events,
              ElementsAre("MouseOver", "MouseDown 1 15,15", "MouseUp 1", "MouseOut"));
  EXPECT_FALSE(host.timer_running);
  EXPECT_FALSE(button.Hovering());
}

TEST_F(ButtonTest, LeftClickOrderAndRepaints) {
  ShowWithStrip();
  host.pointer_over = true;
  button.OnMouseMove(0, 0, 1, 1);
  button.OnMouseDown(1, 0, 2, 3);
  EXPECT_EQ(host.cursors.back(), SystemCursor::kArrow);
  EXPECT_EQ(ShownCell(), "cell@8");
  button.OnMouseUp(1, 0, 2, 3);
  EXPECT_EQ(ShownCell(), "cell@4");
  button.OnClick();
  EXPECT_THAT(events.events, ElementsAre("MouseOver", "MouseDown 1 30,45", "MouseUp 1", "Click"));
}

TEST_F(ButtonTest, DoubleClickOnAToggleFlipsValueTwiceWithOneClickAndOneDBClick) {
  ShowWithStrip(150, 18, 1);
  host.pointer_over = true;
  button.OnMouseMove(0, 0, 1, 1);
  button.OnMouseDown(1, 0, 1, 1);
  button.OnMouseUp(1, 0, 1, 1);
  EXPECT_TRUE(button.Value());
  button.OnClick();
  button.OnDblClick();
  EXPECT_EQ(button.ShownState(), kStatePressed);
  EXPECT_EQ(ShownCell(), "cell@125");  // pressed, on
  button.OnMouseUp(1, 0, 1, 1);
  EXPECT_FALSE(button.Value());
  EXPECT_THAT(events.events, ElementsAre("MouseOver", "MouseDown 1 15,15", "MouseUp 1", "Click",
                                         "DBClick", "MouseUp 1"));
}

TEST_F(ButtonTest, RightButtonRaisesItsEventsButChangesNothing) {
  ShowWithStrip(150, 18, 1);
  host.pointer_over = true;
  button.OnMouseMove(0, 0, 1, 1);
  const int presents = host.presents;
  button.OnMouseDown(2, 0, 1, 1);
  button.OnMouseUp(2, 0, 1, 1);
  button.OnClick();
  EXPECT_EQ(host.presents, presents);
  EXPECT_FALSE(button.LeftHeld());
  EXPECT_FALSE(button.Value());
  button.OnDblClick();  // DBClick is raised for any button, without repaint
  EXPECT_EQ(host.presents, presents);
  EXPECT_THAT(events.events, ElementsAre("MouseOver", "MouseDown 2 15,15", "MouseUp 2", "DBClick"));
}

TEST_F(ButtonTest, AHandlerThatChangesTheButtonChangesThePress) {
  ShowWithStrip();
  host.pointer_over = true;
  events.remap_button = 2;
  button.OnMouseDown(1, 0, 1, 1);
  EXPECT_FALSE(button.LeftHeld());
  EXPECT_NE(button.ShownState(), kStatePressed);
  button.OnClick();  // the press counted as the right button: no Click
  EXPECT_THAT(events.events, ElementsAre("MouseDown 1 15,15"));
  events.remap_button = 1;
  button.OnMouseDown(2, 0, 1, 1);
  EXPECT_TRUE(button.LeftHeld());
  EXPECT_EQ(button.ShownState(), kStatePressed);
}

TEST_F(ButtonTest, EnterClicksOnEveryKeyDownAndMarksTheFocusUnlessHovering) {
  ShowWithStrip(150, 18, 1);
  button.OnKeyDown(13, 0);
  button.OnKeyDown(13, 0);  // auto-repeat
  button.OnKeyDown(13, 0);
  EXPECT_THAT(events.events,
              ElementsAre("KeyDown 13", "Click", "KeyDown 13", "Click", "KeyDown 13", "Click"));
  EXPECT_TRUE(button.Value());                      // three flips
  EXPECT_EQ(host.frame.back(), "focus 3,3 19x12");  // 25 x 18 button: (3,3)-(22,15)
  host.pointer_over = true;
  button.OnMouseMove(0, 0, 1, 1);
  button.OnKeyDown(13, 0);
  EXPECT_NE(host.frame.back().rfind("focus", 0), 0u);
}

TEST_F(ButtonTest, SpaceShowsThePressedCellWhileDownAndClicksOnRelease) {
  ShowWithStrip();
  button.AutoSize(false);
  host.SetControlSize(Size{40, 22});
  button.OnKeyDown(32, 0);
  EXPECT_EQ(ShownCell(), "cell@8");
  EXPECT_EQ(host.frame.back(), "focus 3,3 34x16");
  button.OnKeyDown(32, 0);  // auto-repeat: still pressed, no Click
  EXPECT_THAT(events.events, ElementsAre("KeyDown 32", "KeyDown 32"));
  button.OnKeyUp(32, 0);
  EXPECT_EQ(ShownCell(), "cell@0");
  EXPECT_THAT(events.events, ElementsAre("KeyDown 32", "KeyDown 32", "KeyUP 32", "Click"));
  button.OnKeyPress(32);
  EXPECT_EQ(events.events.back(), "KeyPress 32");
}

TEST_F(ButtonTest, AKeyDownHandlerThatClearsTheKeySuppressesEnterAndSpace) {
  ShowWithStrip();
  events.swallow_keys = true;
  button.OnKeyDown(13, 0);
  button.OnKeyDown(32, 0);
  button.OnKeyUp(32, 0);
  EXPECT_THAT(events.events, ElementsAre("KeyDown 13", "KeyDown 32", "KeyUP 32"));
  EXPECT_EQ(button.ShownState(), kStateNormal);
}

TEST_F(ButtonTest, FocusMarkOnGainingFocusUnlessALeftPressIsInProgress) {
  ShowWithStrip();
  button.OnGotFocus();
  EXPECT_EQ(host.frame.back().rfind("focus", 0), 0u);
  button.OnLostFocus();
  EXPECT_NE(host.frame.back().rfind("focus", 0), 0u);
  host.pointer_over = true;
  button.OnMouseDown(1, 0, 1, 1);
  button.OnGotFocus();
  EXPECT_NE(host.frame.back().rfind("focus", 0), 0u);
  EXPECT_EQ(ShownCell(), "cell@8");
}

TEST_F(ButtonTest, ButtonDisabledUnderThePointerShowsNormalAfterThePoll) {
  ShowWithStrip();
  host.pointer_over = true;
  button.OnMouseMove(0, 0, 1, 1);
  button.Enabled(false);
  EXPECT_EQ(ShownCell(), "cell@12");
  // The platform never reports a disabled window under the pointer.
  host.pointer_over = false;
  button.OnTimer();
  EXPECT_EQ(events.events.back(), "MouseOut");
  EXPECT_EQ(button.ShownState(), kStateNormal);
  EXPECT_EQ(ShownCell(), "cell@0");
}

TEST_F(ButtonTest, TransparentStyleMasksWithTheCellOrWithTheDrawnImage) {
  ShowWithStrip();
  button.Icon(std::make_shared<FakePicture>("icon", 4, 4));
  button.cBackStyle(0);
  EXPECT_THAT(host.frame, ElementsAre("clear", "mask cell@0", "draw cell@0 0,0 4x22 transparent"));
  button.AutoSize(false);
  host.SetControlSize(Size{30, 22});
  button.cMouseAction(kStateHover, false);
  // Drawn opaque, the image at control size becomes the mask, then back to transparent.
  EXPECT_THAT(host.frame, ElementsAre("clear", "draw cell@4 0,0 30x22", "mask snapshot"));
  EXPECT_EQ(host.back_style, 0);
}

TEST_F(ButtonTest, BackStyleWithABlackBackColourRemovesTheMask) {
  ShowWithStrip();
  button.cBackStyle(0);
  EXPECT_EQ(host.mask, "cell@0");
  host.back_colour = 0;
  host.frame.clear();
  button.cBackStyle(1);
  EXPECT_EQ(host.mask, "none");
  host.back_colour = kButtonInitialBackColour;
  button.cBackStyle(0);
  button.cBackStyle(1);
  EXPECT_EQ(host.mask, "cell@0");  // kept
}

TEST_F(ButtonTest, ResizeKeepsTheCellSizeOnlyWithAutoSize) {
  ShowWithStrip();
  host.size = Size{50, 50};
  button.OnResize();
  EXPECT_EQ(host.size, (Size{4, 22}));
  button.AutoSize(false);
  host.size = Size{50, 50};
  button.OnResize();
  EXPECT_EQ(host.size, (Size{50, 50}));
}

TEST_F(ButtonTest, AStripTooNarrowForWholeCellsDoesNotShrinkTheButtonAway) {
  button.BackPicture(Strip(1, 22));
  button.OnShow();
  EXPECT_EQ(host.size, (Size{60, 20}));
  button.OnResize();
  EXPECT_EQ(host.size, (Size{60, 20}));
}

TEST_F(ButtonTest, WritingAPersistedPropertyTellsTheHost) {
  button.Caption("a");
  button.Style(1);
  button.Icon(nullptr);
  button.Enabled(true);
  button.cBackStyle(1);
  button.cForeColor(5);
  button.cFont(FontSpec{"Arial", 10});
  button.cDrawMode(7);
  button.AutoSize(false);
  button.BackPicture(nullptr);
  button.Value(true);
  button.Locked(true);
  EXPECT_THAT(host.changed,
              ElementsAre("Caption", "Style", "Icon", "Enabled", "cBackStyle", "cForeColor",
                          "cFont", "cDrawMode", "AutoSize", "BackPicture"));
}

// Pictures stored as their names.
class NameCodec final : public PictureCodec {
 public:
  std::vector<std::uint8_t> Encode(const Picture& p) override {
    const std::string n = NameOf(p);
    return {n.begin(), n.end()};
  }
  PicturePtr Decode(std::span<const std::uint8_t> b) override {
    return Strip(13, 22, std::string(b.begin(), b.end()));
  }
};

TEST_F(ButtonTest, SavingLeavesOutDefaultsButAlwaysKeepsTheSurfaceValues) {
  PropertyBag bag;
  NameCodec codec;
  button.WriteProperties(bag, codec);
  EXPECT_THAT(bag.Names(), ElementsAre("cFont", "cDrawMode", "cForeColor"));
  EXPECT_EQ(bag.Read("cDrawMode", std::int64_t{0}), PropertyValue(std::int64_t{13}));
}

TEST_F(ButtonTest, SavingWritesEveryChangedPropertyInItsOrder) {
  button.cForeColor(0x123456);
  button.cDrawMode(6);
  button.cFont(FontSpec{"Arial", 10.5, true});
  button.AutoSize(false);
  button.Caption("是");
  button.cBackStyle(0);
  button.Style(1);
  button.Enabled(false);
  button.Icon(std::make_shared<FakePicture>("icon", 16, 16));
  button.BackPicture(Strip(225, 22, "yes"));
  PropertyBag bag;
  NameCodec codec;
  button.WriteProperties(bag, codec);
  EXPECT_THAT(bag.Names(), ElementsAre("BackPicture", "Icon", "Enabled", "Style", "cBackStyle",
                                       "Caption", "AutoSize", "cFont", "cDrawMode", "cForeColor"));
  EXPECT_EQ(bag.Read("Caption", std::string()), PropertyValue(std::string("是")));
  EXPECT_EQ(bag.Read("Enabled", true), PropertyValue(false));
  EXPECT_EQ(bag.Read("cFont", std::string()), PropertyValue(std::string("10.5;1;0;0;0;Arial")));
}

TEST_F(ButtonTest, LoadingStoresDirectlyWithoutCuttingOrPainting) {
  FakeHost designer;
  iButton design(designer);
  design.Caption("否");
  design.Style(1);
  design.AutoSize(false);
  design.cBackStyle(0);
  design.cForeColor(0xFF);
  design.cDrawMode(4);
  design.cFont(FontSpec{"宋体", 12});
  design.Enabled(false);
  design.BackPicture(Strip(225, 22, "no"));
  PropertyBag bag;
  NameCodec codec;
  design.WriteProperties(bag, codec);

  host.frame.clear();
  host.changed.clear();
  button.ReadProperties(bag, codec);
  EXPECT_TRUE(host.frame.empty());
  EXPECT_TRUE(host.log.empty());
  EXPECT_TRUE(host.changed.empty());
  EXPECT_EQ(host.size, (Size{60, 20}));
  EXPECT_EQ(button.Caption(), "否");
  EXPECT_EQ(button.Style(), 1);
  EXPECT_FALSE(button.AutoSize());
  EXPECT_FALSE(host.enabled);
  EXPECT_EQ(host.back_style, 0);
  EXPECT_EQ(host.fore_colour, 0xFFu);
  EXPECT_EQ(host.draw_mode, 4);
  EXPECT_EQ(host.font, (FontSpec{"宋体", 12}));
  ASSERT_TRUE(button.BackPicture());
  EXPECT_EQ(NameOf(*button.BackPicture()), "no");
}

TEST_F(ButtonTest, LoadingAnEmptyBagGivesTheDefaultsAndKeepsTheSurfaceValues) {
  button.Caption("old");
  button.AutoSize(false);
  host.enabled = false;
  host.back_style = 0;
  host.fore_colour = 0x00AA00;
  host.draw_mode = 9;
  host.font = FontSpec{"Tahoma", 8};
  PropertyBag bag;
  NameCodec codec;
  button.ReadProperties(bag, codec);
  EXPECT_EQ(button.Caption(), "");
  EXPECT_TRUE(button.AutoSize());
  EXPECT_EQ(button.Style(), 0);
  EXPECT_FALSE(button.BackPicture());
  EXPECT_TRUE(host.enabled);
  EXPECT_EQ(host.back_style, 1);
  EXPECT_EQ(host.fore_colour, 0x00AA00u);
  EXPECT_EQ(host.draw_mode, 9);
  EXPECT_EQ(host.font, (FontSpec{"Tahoma", 8}));
}

TEST_F(ButtonTest, LoadingAValueOfTheWrongKindFailsWithTypeMismatch) {
  PropertyBag bag;
  bag.Write("Caption", std::vector<std::uint8_t>{1, 2});
  NameCodec codec;
  try {
    button.ReadProperties(bag, codec);
    FAIL() << "no error";
  } catch (const NumberedError& e) {
    EXPECT_EQ(e.Number(), kErrTypeMismatch);
  }
}

}  // namespace
}  // namespace orvane
