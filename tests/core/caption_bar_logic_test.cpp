// The caption bar's paint plans, colour text, mouse handling and stored properties,
// against a recording host.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/numbered_error.h"
#include "widgets/caption_bar.h"
#include "widgets/caption_bar_skin.h"
#include "widgets/number_text.h"

namespace orvane {
namespace {

using ::testing::ElementsAre;

std::string Line(const PixelCopy& c) {
  return std::to_string(c.source.x) + "," + std::to_string(c.source.y) + " " +
         std::to_string(c.source.width) + "x" + std::to_string(c.source.height) + " -> " +
         std::to_string(c.dest.x) + "," + std::to_string(c.dest.y);
}

// The bar skin's size: 94 x 85 pixels.
class SkinPicture final : public Picture {
 public:
  double WidthHimetric() const override { return PictureHimetricFromPixels(94); }
  double HeightHimetric() const override { return PictureHimetricFromPixels(85); }
};

class FakeTarget : public SkinTarget {
 public:
  explicit FakeTarget(std::vector<std::string>& log, Size size) : log_(log), size_(size) {}
  Size TargetSize() const override { return size_; }
  void ClearToBackColor() override { log_.push_back("clear"); }
  void CopyPicture(const Picture& picture, const Rect& source, Point dest) override {
    EXPECT_EQ(picture.WidthHimetric(), PictureHimetricFromPixels(94));
    log_.push_back("copy " + Line(PixelCopy{source, dest}));
  }
  void Present() override { log_.push_back("present"); }

 protected:
  std::vector<std::string>& log_;
  Size size_;
};

class FakeBarHost final : public FakeTarget, public BFormHost {
 public:
  explicit FakeBarHost(std::vector<std::string>& log) : FakeTarget(log, Size{200, 40}) {}
  Size TargetSize() const override { return FakeTarget::TargetSize(); }
  void ClearToBackColor() override { FakeTarget::ClearToBackColor(); }
  void CopyPicture(const Picture& p, const Rect& s, Point d) override {
    FakeTarget::CopyPicture(p, s, d);
  }
  void Present() override { FakeTarget::Present(); }
  PicturePtr Skin() const override { return skin; }
  void SetBarHeight(int pixels) override {
    log_.push_back("height " + std::to_string(pixels));
    size_.cy = pixels;
  }
  void SetBackColor(Colour c) override { back = c; }
  void PrintText(std::string_view text, Point at) override {
    log_.push_back("text " + std::string(text) + " " + std::to_string(at.x) + "," +
                   std::to_string(at.y));
  }
  void ShowCursor(SystemCursor c) override {
    log_.push_back(c == SystemCursor::kArrow ? "arrow" : "hand");
  }
  void DragWindow(WindowHandle w) override { log_.push_back("drag " + std::to_string(w)); }
  void PropertyChanged(std::string_view name) override { changed.emplace_back(name); }

  Colour back = 0;
  std::vector<std::string> changed;
  PicturePtr skin = std::make_shared<SkinPicture>();
};

class Events final : public BFormEvents {
 public:
  explicit Events(std::vector<std::string>& log) : log_(log) {}
  void DblClick() override { log_.push_back("DblClick"); }
  void MouseDown(std::int16_t& b, std::int16_t&, float& x, float& y) override {
    log_.push_back("MouseDown " + std::to_string(b) + " " + std::to_string(int(x)) + "," +
                   std::to_string(int(y)));
  }
  void MouseMove(std::int16_t& b, std::int16_t&, float&, float&) override {
    log_.push_back("MouseMove " + std::to_string(b));
  }

 private:
  std::vector<std::string>& log_;
};

std::vector<std::string> Pixels(const std::vector<PieceCopy>& plan) {
  std::vector<std::string> lines;
  for (const auto& copy : plan) {
    lines.push_back("copy " + Line(ToPixelCopy(copy)));
  }
  return lines;
}

TEST(CaptionBarPlan, NarrowBarHasItsRightEndOverTheLeftEnd) {
  // 1200 twips (80 pixels): middles at 300..1500, the left end, the right end at 200.
  const auto plan = BarPaintPlan(1200);
  ASSERT_EQ(plan.size(), 7u);
  EXPECT_EQ(plan[0], (PieceCopy{BarPiece::kMiddle, Point{300, 0}}));
  EXPECT_EQ(plan[4], (PieceCopy{BarPiece::kMiddle, Point{1500, 0}}));
  EXPECT_EQ(plan[5], (PieceCopy{BarPiece::kLeftEnd, Point{0, 0}}));
  EXPECT_EQ(plan[6], (PieceCopy{BarPiece::kRightEnd, Point{200, 0}}));
  // In pixels: the right end (27..94 of the skin) lands at 13, inside the left end's 36.
  EXPECT_EQ(Pixels(plan).back(), "copy 27,0 67x36 -> 13,0");
  EXPECT_EQ(Pixels(plan)[5], "copy 0,0 36x36 -> 0,0");
  // From 1545 twips on, the ends no longer meet.
  EXPECT_EQ(BarPaintPlan(1545).back().at.x, 545);
}

TEST(CaptionBarPlan, FrameOfA4500TwipFormCopiesTheBottomEdgeSixteenTimes) {
  const auto plan = FramePaintPlan(4500, 3000);
  std::vector<PieceCopy> bottom;
  for (const auto& c : plan) {
    if (c.piece == BarPiece::kBottomEdge) {
      bottom.push_back(c);
    }
  }
  ASSERT_EQ(bottom.size(), 16u);
  EXPECT_EQ(bottom.front().at, (Point{300, 2940}));
  EXPECT_EQ(bottom.back().at, (Point{4800, 2940}));  // wholly right of the form
  // Sides from 300 down, 11 pieces each (Int(3000 / 300) + 1).
  EXPECT_EQ(plan[16], (PieceCopy{BarPiece::kLeftEdge, Point{0, 300}}));
  EXPECT_EQ(plan[27], (PieceCopy{BarPiece::kRightEdge, Point{4440, 300}}));
  EXPECT_EQ(plan.size(), 16u + 11 + 11 + 2);
  // The corners come last; the bottom-right one covers 4000 to 4500.
  EXPECT_EQ(plan[plan.size() - 2], (PieceCopy{BarPiece::kBottomLeftCorner, Point{0, 2940}}));
  EXPECT_EQ(plan.back(), (PieceCopy{BarPiece::kBottomRightCorner, Point{4000, 2940}}));
  EXPECT_EQ(Pixels(plan).back(), "copy 61,81 33x4 -> 267,196");
}

TEST(CaptionBarPlan, PiecesComeFromTheirPlacesInTheSkin) {
  EXPECT_EQ(PieceSource(BarPiece::kRightEnd), (Rect{410, 0, 1000, 545}));
  EXPECT_EQ(PieceSource(BarPiece::kPatch), (Rect{210, 0, 400, 545}));
  EXPECT_EQ(PieceSource(BarPiece::kBottomEdge), (Rect{300, 1215, 300, 60}));
  EXPECT_EQ(PieceSource(BarPiece::kRightEdge), (Rect{1350, 800, 60, 500}));
  EXPECT_EQ(PieceSource(BarPiece::kBottomRightCorner), (Rect{910, 1215, 500, 60}));
  EXPECT_EQ(NominCopy(3000), (PieceCopy{BarPiece::kPatch, Point{2170, 0}}));
  EXPECT_EQ(CaptionOrigin(true), (Point{600, 150}));
  EXPECT_EQ(CaptionOrigin(false), (Point{150, 150}));
}

class BarTest : public ::testing::Test {
 protected:
  BarTest() { bar.SetEvents(&events); }
  std::vector<std::string> log;
  FakeBarHost host{log};
  Events events{log};
  BForm bar{host};
};

TEST_F(BarTest, ResizeForcesTheHeightAndPaintsEndsOverMiddlesThenTheCaption) {
  bar.OnResize();
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(log[0], "height 33");
  EXPECT_EQ(log[1], "clear");
  // 200 pixels = 3000 twips: middles i = 1..11, left end, right end, caption, present.
  EXPECT_EQ(log.size(), 2u + 11 + 2 + 2);
  EXPECT_EQ(log[2], "copy 20,0 20x36 -> 20,0");
  EXPECT_EQ(log[13], "copy 0,0 36x36 -> 0,0");
  EXPECT_EQ(log[14], "copy 27,0 67x36 -> 133,0");
  EXPECT_EQ(log[15], "text NewForm 10,10");
  log.clear();
  bar.OnResize();  // already 33 high
  EXPECT_EQ(log[0], "clear");
}

TEST_F(BarTest, CaptionStartsFortyPixelsInWithLogoAndTenWithout) {
  bar.Caption("Orvane");
  EXPECT_EQ(log[log.size() - 2], "text Orvane 10,10");
  bar.HasLogo(true);
  EXPECT_EQ(log[log.size() - 2], "text Orvane 40,10");
  EXPECT_THAT(host.changed, ElementsAre("Caption", "HasLogo"));
}

TEST_F(BarTest, BackColorReadsBackAsDecimalText) {
  bar.BackColor("255");
  EXPECT_EQ(bar.BackColor(), "255");
  EXPECT_EQ(host.back, 255u);
  bar.BackColor(" 14606046 ");
  EXPECT_EQ(bar.BackColor(), "14606046");
  bar.BackColor("&HFF00");
  EXPECT_EQ(bar.BackColor(), "65280");
  bar.BackColor("12.5");  // to the even neighbour
  EXPECT_EQ(bar.BackColor(), "12");
  EXPECT_EQ(log[log.size() - 1], "present");
}

TEST_F(BarTest, BackColorThatIsNoNumberFailsAndKeepsTheColour) {
  bar.BackColor("255");
  for (const char* bad : {"grey", "", "12abc", "0x10"}) {
    try {
      bar.BackColor(bad);
      ADD_FAILURE() << bad;
    } catch (const NumberedError& e) {
      EXPECT_EQ(e.Number(), kErrTypeMismatch) << bad;
    }
    EXPECT_EQ(bar.BackColor(), "255");
    EXPECT_EQ(host.back, 255u);
  }
  try {
    bar.BackColor("99999999999");
    ADD_FAILURE();
  } catch (const NumberedError& e) {
    EXPECT_EQ(e.Number(), kErrOverflow);
  }
  EXPECT_EQ(bar.BackColor(), "255");
}

TEST_F(BarTest, LeftPressDragsFirstAndRaisesMouseDownAfterTheDrop) {
  bar.frmHwnd(4242);
  log.clear();
  bar.OnMouseDown(1, 0, 3, 4);
  EXPECT_THAT(log, ElementsAre("arrow", "drag 4242", "arrow", "MouseDown 1 45,60"));
}

TEST_F(BarTest, RightPressShowsTheArrowAndRaisesMouseDownWithoutDragging) {
  bar.frmHwnd(4242);
  log.clear();
  bar.OnMouseDown(2, 0, 3, 4);
  EXPECT_THAT(log, ElementsAre("arrow", "MouseDown 2 45,60"));
}

TEST_F(BarTest, DoubleClickRaisesDblClickOnlyAndMovesResetTheArrow) {
  log.clear();
  bar.OnDblClick();
  bar.OnMouseMove(0, 0, 1, 1);
  EXPECT_THAT(log, ElementsAre("DblClick", "arrow", "MouseMove 0"));
}

TEST_F(BarTest, NominCopiesThePatchNearTheRightEnd) {
  log.clear();
  bar.Nomin();
  // 3000 twips wide: the patch (14..41 of the skin) at 2170 twips.
  EXPECT_THAT(log, ElementsAre("copy 14,0 27x36 -> 145,0", "present"));
}

TEST_F(BarTest, PrintformPaintsTheFrameOntoTheForm) {
  std::vector<std::string> form_log;
  FakeTarget form(form_log, Size{300, 200});
  bar.Printform(form);
  ASSERT_EQ(form_log.size(), 1u + 16 + 11 + 11 + 2 + 1);
  EXPECT_EQ(form_log.front(), "clear");
  EXPECT_EQ(form_log[1], "copy 20,81 20x4 -> 20,196");
  EXPECT_EQ(form_log[17], "copy 0,53 4x33 -> 0,20");
  EXPECT_EQ(form_log[28], "copy 90,53 4x33 -> 296,20");
  EXPECT_EQ(form_log[39], "copy 0,81 36x4 -> 0,196");
  EXPECT_EQ(form_log[40], "copy 61,81 33x4 -> 267,196");
  EXPECT_EQ(form_log.back(), "present");
}

TEST_F(BarTest, WithoutASkinOnlyTheBackColourAndCaptionArePainted) {
  host.skin = nullptr;
  log.clear();
  bar.Caption("x");
  EXPECT_THAT(log, ElementsAre("clear", "text x 10,10", "present"));
}

TEST_F(BarTest, SavingKeepsOnlyChangesAndAlwaysHasLogo) {
  PropertyBag bag;
  bar.WriteProperties(bag);
  EXPECT_THAT(bag.Names(), ElementsAre("HasLogo"));
  bar.BackColor("14606046");
  bar.Caption("Orvane");
  bar.frmHwnd(77);
  bar.HasLogo(true);
  bar.WriteProperties(bag);
  EXPECT_THAT(bag.Names(), ElementsAre("HasLogo", "BackColor", "Caption", "frmHwnd"));
  EXPECT_EQ(bag.Read("BackColor", std::int64_t{0}), PropertyValue(std::int64_t{14606046}));
  PropertyBag fresh;
  bar.WriteProperties(fresh);
  EXPECT_THAT(fresh.Names(), ElementsAre("BackColor", "Caption", "frmHwnd", "HasLogo"));
  // Back to the default colour: left out again.
  bar.BackColor("14346732");
  bar.WriteProperties(fresh);
  EXPECT_FALSE(fresh.Contains("BackColor"));
}

TEST_F(BarTest, LoadingPaintsWithTheStoredCaptionBeforeHasLogoIsRead) {
  PropertyBag bag;
  bag.Write("BackColor", std::string("14606046"));
  bag.Write("Caption", std::string("Orvane"));
  bag.Write("frmHwnd", std::int64_t{9});
  bag.Write("HasLogo", true);
  log.clear();
  host.changed.clear();
  bar.ReadProperties(bag);
  EXPECT_EQ(host.back, 14606046u);
  EXPECT_EQ(bar.Caption(), "Orvane");
  EXPECT_EQ(bar.frmHwnd(), 9u);
  EXPECT_TRUE(bar.HasLogo());
  // The one paint of the load ran before HasLogo was stored.
  EXPECT_EQ(log[log.size() - 2], "text Orvane 10,10");
  EXPECT_EQ(std::count(log.begin(), log.end(), "clear"), 1);
  EXPECT_TRUE(host.changed.empty());
}

TEST_F(BarTest, LoadingAnEmptyBagGivesTheDefaults) {
  bar.HasLogo(true);
  bar.BackColor("1");
  PropertyBag empty;
  bar.ReadProperties(empty);
  EXPECT_EQ(bar.BackColor(), "14346732");
  EXPECT_EQ(bar.Caption(), "NewForm");
  EXPECT_EQ(bar.frmHwnd(), 0u);
  EXPECT_TRUE(bar.HasLogo());  // absent: the current value
}

TEST(NumberText, ReadsTheProgramsNumberForms) {
  EXPECT_EQ(ParseNumberText("255"), 255);
  EXPECT_EQ(ParseNumberText("  -7 "), -7);
  EXPECT_EQ(ParseNumberText("+1.5e2"), 150);
  EXPECT_EQ(ParseNumberText(".5"), 0.5);
  EXPECT_EQ(ParseNumberText("&HFFFFFFFF"), -1);
  EXPECT_EQ(ParseNumberText("&o17"), 15);
  for (const char* bad : {"", " ", "-", "1 2", "&H", "&HG", "nan", "inf", "1,5", "--1"}) {
    EXPECT_THROW(ParseNumberText(bad), NumberedError) << bad;
  }
  EXPECT_EQ(FormatNumberText(255), "255");
  EXPECT_EQ(FormatNumberText(0.25), "0.25");
}

}  // namespace
}  // namespace orvane
