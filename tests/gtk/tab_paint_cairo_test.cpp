// The cairo side of the tab strip's drawing: surfaces, skins keyed once at loading,
// transfers, Pango text laid out the way the strip's captions need, and painting
// through a borrowed cairo context.
#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/gtk/cairo_canvas.h"
#include "base/gtk/cairo_font.h"
#include "base/gtk/cairo_surface.h"
#include "base/gtk/cairo_text.h"
#include "support/canvas_synthetic_skin.h"
#include "support/canvas_tab_paint_scenes.h"
#include "support/canvas_tab_scene.h"
#include "tabstrip/tab_painter.h"

namespace orvane::test {
namespace {

using gtk::CairoCanvas;
using gtk::CairoSurface;

class CairoCanvasTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display"; }
  CairoCanvas canvas_;
};

std::uint32_t StoredPixel(const Surface& surface, int x, int y) {
  cairo_surface_t* image = static_cast<const CairoSurface&>(surface).Image();
  cairo_surface_flush(image);
  const unsigned char* row =
      cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image);
  return reinterpret_cast<const std::uint32_t*>(row)[x];
}

// Columns that hold anything but `background`, as [first, last]; {-1, -1} for none.
std::pair<int, int> InkColumns(const Surface& s, Colour background) {
  int first = -1, last = -1;
  for (int x = 0; x < s.Width(); ++x) {
    for (int y = 0; y < s.Height(); ++y) {
      if (s.GetPixel(Point{x, y}) != background) {
        if (first < 0)
          first = x;
        last = x;
        break;
      }
    }
  }
  return {first, last};
}

std::pair<int, int> InkRows(const Surface& s, Colour background) {
  int first = -1, last = -1;
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) {
      if (s.GetPixel(Point{x, y}) != background) {
        if (first < 0)
          first = y;
        last = y;
        break;
      }
    }
  }
  return {first, last};
}

std::unique_ptr<Surface> TextSurface(Canvas& canvas, int width, int height, Colour fill) {
  auto s = canvas.CreateSurface(width, height);
  s->FillRect(Rect{0, 0, width, height}, fill);
  s->SetTextBackground(std::nullopt);
  return s;
}

TEST_F(CairoCanvasTest, NewSurfacesAreOpaqueBlackAndNeedPixels) {
  auto s = canvas_.CreateSurface(3, 2);
  EXPECT_EQ(s->GetPixel(Point{2, 1}), kBlack);
  EXPECT_EQ(StoredPixel(*s, 2, 1), 0xFF000000u);
  EXPECT_EQ(s->GetPixel(Point{3, 0}), kInvalidColour);
  for (auto size : {Size{0, 5}, Size{5, 0}, Size{-1, 5}}) {
    try {
      canvas_.CreateSurface(size.cx, size.cy);
      ADD_FAILURE() << "created " << size.cx << "x" << size.cy;
    } catch (const DrawingError& e) {
      EXPECT_STREQ(e.what(), "CreateCompatibleBitmap调用失败");
    }
  }
}

TEST_F(CairoCanvasTest, SkinsAreKeyedOnceWhenTheyLoad) {
  auto skin0 = canvas_.LoadSkin(106);
  auto skin1 = canvas_.LoadSkin(107);
  EXPECT_EQ(skin0->Width(), 415);
  EXPECT_EQ(skin0->Height(), 25);
  EXPECT_EQ(skin1->Width(), 421);
  EXPECT_EQ(skin1->Height(), 28);
  // Right of the last close box lies unused magenta: stored transparent, read as magenta.
  EXPECT_EQ(StoredPixel(*skin0, 414, 20), 0u);
  EXPECT_EQ(skin0->GetPixel(Point{414, 20}), kMagenta);
  // The background column is opaque.
  EXPECT_EQ(StoredPixel(*skin0, 0, 10) >> 24, 0xFFu);
  EXPECT_NE(skin0->GetPixel(Point{0, 10}), kMagenta);
  EXPECT_THROW(canvas_.LoadSkin(4242), DrawingError);

  auto file = canvas_.LoadSkinFile(ORVANE_RESOURCE_DIR "/tab_skin_0.bmp");
  EXPECT_TRUE(SamePixels(ReadBack(*file), ReadBack(*skin0)));
}

TEST_F(CairoCanvasTest, TransparentCopyLeavesTheKeyOutOfKeyedAndPlainSources) {
  auto plain = canvas_.CreateSurface(3, 1);
  plain->FillRect(Rect{0, 0, 1, 1}, Rgb(10, 20, 30));
  plain->FillRect(Rect{1, 0, 1, 1}, kMagenta);
  plain->FillRect(Rect{2, 0, 1, 1}, Rgb(40, 50, 60));
  auto skin = canvas_.LoadSkin(106);
  const Colour skin_colour = skin->GetPixel(Point{0, 3});

  auto dest = canvas_.CreateSurface(6, 2);
  dest->FillRect(Rect{0, 0, 6, 2}, Rgb(1, 1, 1));
  EXPECT_TRUE(dest->CopyTransparent(Rect{0, 0, 3, 1}, *plain, Point{0, 0}, kMagenta));
  EXPECT_EQ(dest->GetPixel(Point{0, 0}), Rgb(10, 20, 30));
  EXPECT_EQ(dest->GetPixel(Point{1, 0}), Rgb(1, 1, 1));
  EXPECT_EQ(dest->GetPixel(Point{2, 0}), Rgb(40, 50, 60));
  // From the skin: its background column, then unused (transparent) skin.
  EXPECT_TRUE(dest->CopyTransparent(Rect{3, 1, 1, 1}, *skin, Point{0, 3}, kMagenta));
  EXPECT_TRUE(dest->CopyTransparent(Rect{4, 1, 2, 1}, *skin, Point{413, 20}, kMagenta));
  EXPECT_EQ(dest->GetPixel(Point{3, 1}), skin_colour);
  EXPECT_EQ(dest->GetPixel(Point{4, 1}), Rgb(1, 1, 1));
  EXPECT_EQ(dest->GetPixel(Point{5, 1}), Rgb(1, 1, 1));
  // A key other than the one the skin was loaded with is keyed on the way.
  auto other = canvas_.CreateSurface(1, 1);
  other->FillRect(Rect{0, 0, 1, 1}, Rgb(7, 7, 7));
  EXPECT_TRUE(other->CopyTransparent(Rect{0, 0, 1, 1}, *skin, Point{0, 3}, skin_colour));
  EXPECT_EQ(other->GetPixel(Point{0, 0}), Rgb(7, 7, 7));
}

TEST_F(CairoCanvasTest, CopyTakesOnlyWhatLiesOnTheSource) {
  auto source = canvas_.CreateSurface(2, 2);
  source->FillRect(Rect{0, 0, 2, 2}, Rgb(9, 9, 9));
  auto dest = canvas_.CreateSurface(4, 4);
  dest->FillRect(Rect{0, 0, 4, 4}, Rgb(100, 0, 0));
  dest->Copy(Rect{0, 0, 4, 4}, *source, Point{1, 1});
  EXPECT_EQ(dest->GetPixel(Point{0, 0}), Rgb(9, 9, 9));
  EXPECT_EQ(dest->GetPixel(Point{1, 0}), Rgb(100, 0, 0));
  EXPECT_EQ(dest->GetPixel(Point{0, 1}), Rgb(100, 0, 0));
  EXPECT_FALSE(dest->Copy(Rect{0, 0, -2, 4}, *source, Point{0, 0}));
}

TEST_F(CairoCanvasTest, HalftoneAveragesAndStaysInsideTheSlice) {
  auto source = canvas_.CreateSurface(6, 1);
  source->FillRect(Rect{0, 0, 2, 1}, Rgb(255, 0, 0));
  source->FillRect(Rect{2, 0, 2, 1}, Rgb(0, 200, 0));
  source->FillRect(Rect{4, 0, 2, 1}, Rgb(0, 0, 255));
  // Enlarging the green middle never picks up its red and blue neighbours.
  auto wide = canvas_.CreateSurface(30, 3);
  wide->Stretch(Rect{0, 0, 30, 3}, *source, Rect{2, 0, 2, 1}, true);
  EXPECT_EQ(wide->GetPixel(Point{0, 0}), Rgb(0, 200, 0));
  EXPECT_EQ(wide->GetPixel(Point{29, 2}), Rgb(0, 200, 0));
  // Shrinking red and green to one pixel mixes them.
  auto one = canvas_.CreateSurface(1, 1);
  one->Stretch(Rect{0, 0, 1, 1}, *source, Rect{0, 0, 4, 1}, true);
  const Colour mixed = one->GetPixel(Point{0, 0});
  EXPECT_GT(RedOf(mixed), 60);
  EXPECT_GT(GreenOf(mixed), 50);
  one->Stretch(Rect{0, 0, 1, 1}, *source, Rect{0, 0, 4, 1}, false);
  const Colour picked = one->GetPixel(Point{0, 0});
  EXPECT_TRUE(picked == Rgb(255, 0, 0) || picked == Rgb(0, 200, 0));
}

TEST_F(CairoCanvasTest, GuiFontsAreTheDesktopFontWithTheirWeight) {
  GtkSettings* settings = gtk_settings_get_default();
  gchar* name = nullptr;
  g_object_get(settings, "gtk-font-name", &name, nullptr);
  PangoFontDescription* desktop = pango_font_description_from_string(name);
  g_free(name);
  for (int weight : {100, 700}) {
    auto font = canvas_.CreateGuiFont(weight);
    const PangoFontDescription* made = static_cast<const gtk::CairoFont&>(*font).Description();
    EXPECT_EQ(pango_font_description_get_weight(made), weight);
    EXPECT_STREQ(pango_font_description_get_family(made),
                 pango_font_description_get_family(desktop));
    EXPECT_EQ(pango_font_description_get_size(made), pango_font_description_get_size(desktop));
  }
  pango_font_description_free(desktop);
}

TEST_F(CairoCanvasTest, CentredSingleLineTextSitsInTheMiddleOfItsBox) {
  const Colour bg = Rgb(255, 255, 255);
  auto s = TextSurface(canvas_, 200, 40, bg);
  auto font = canvas_.CreateGuiFont(700);
  s->SetFont(*font);
  const Size extent = s->MeasureText("Centre");
  s->DrawText("Centre", Rect{20, 5, 160, 30}, 37);
  const auto [left, right] = InkColumns(*s, bg);
  ASSERT_GE(left, 0);
  // The logical extent starts at x = 20 + (160 - cx) / 2; glyph ink lies just inside it.
  const int start = 20 + (160 - extent.cx) / 2;
  EXPECT_GE(left, start);
  EXPECT_LE(left, start + 3);
  EXPECT_LE(right, start + extent.cx);
  EXPECT_GE(right, start + extent.cx - 4);
  const auto [top, bottom] = InkRows(*s, bg);
  EXPECT_GE(top, 5 + (30 - extent.cy) / 2);
  EXPECT_LE(bottom, 5 + (30 - extent.cy) / 2 + extent.cy);
}

TEST_F(CairoCanvasTest, EndEllipsisCutsTheTextInsideItsBox) {
  const Colour bg = Rgb(255, 255, 255);
  const std::string text = "A caption much wider than the box";
  auto full = TextSurface(canvas_, 400, 30, bg);
  const Size extent = full->MeasureText(text);
  ASSERT_GT(extent.cx, 120);
  auto cut = TextSurface(canvas_, 400, 30, bg);
  cut->DrawText(text, Rect{10, 2, 100, 26}, 0x8000);
  const auto [left, right] = InkColumns(*cut, bg);
  EXPECT_GE(left, 10);
  EXPECT_LE(left, 13);
  EXPECT_LE(right, 109);
  EXPECT_GE(right, 95);
  // Left-aligned and from the top of the box, not centred.
  const auto [top, bottom] = InkRows(*cut, bg);
  EXPECT_LE(top, 2 + extent.cy / 2);
  EXPECT_GE(top, 2);
  // The same text without an ellipsis is simply clipped at the box's edge, and differs.
  auto clipped = TextSurface(canvas_, 400, 30, bg);
  clipped->DrawText(text, Rect{10, 2, 100, 26}, 0);
  EXPECT_FALSE(SamePixels(ReadBack(*cut), ReadBack(*clipped)));
  EXPECT_LE(InkColumns(*clipped, bg).second, 109);
}

// Lines laid out once, and the pixels a text drew over the pixels it found, are kept: a
// changed caption, font or background is drawn as on a surface that never drew anything,
// and so is the same text again.
TEST_F(CairoCanvasTest, KeptLinesDrawExactlyWhatAFreshSurfaceDraws) {
  const Colour bg = Rgb(240, 240, 240);
  auto thin = canvas_.CreateGuiFont(100);
  auto bold = canvas_.CreateGuiFont(700);
  const auto fresh = [&](const std::string& text, const Font& font, unsigned format) {
    auto s = TextSurface(canvas_, 160, 30, bg);
    s->SetFont(font);
    s->DrawText(text, Rect{5, 2, 120, 26}, format);
    return ReadBack(*s);
  };
  auto reused = TextSurface(canvas_, 160, 30, bg);
  const struct {
    std::string text;
    const Font* font;
    unsigned format;
  } steps[] = {
      {"Mirab - 游戏大厅", bold.get(), 37},
      {"Mirab - 游戏大厅", thin.get(), 37},
      {"Mirab - 风之旅人", thin.get(), 37},
      {"Mirab - 风之旅人", thin.get(), 37},
      {"a caption far wider than its box", thin.get(), 0x8000},
      {"a caption far wider than its box", bold.get(), 0x8000},
      {"Mirab - 游戏大厅", bold.get(), 37},
  };
  for (const auto& step : steps) {
    reused->FillRect(Rect{0, 0, 160, 30}, bg);
    reused->SetFont(*step.font);
    EXPECT_EQ(reused->MeasureText(step.text), [&] {
      auto s = canvas_.CreateSurface(4, 4);
      s->SetFont(*step.font);
      return s->MeasureText(step.text);
    }());
    reused->DrawText(step.text, Rect{5, 2, 120, 26}, step.format);
    EXPECT_TRUE(SamePixels(ReadBack(*reused), fresh(step.text, *step.font, step.format)))
        << step.text << " weight " << step.font->Weight();
  }
  // The same text in the same place over other pixels is drawn over those pixels.
  reused->FillRect(Rect{0, 0, 160, 30}, Rgb(30, 90, 200));
  reused->SetFont(*bold);
  reused->DrawText("Mirab - 游戏大厅", Rect{5, 2, 120, 26}, 37);
  auto other = TextSurface(canvas_, 160, 30, Rgb(30, 90, 200));
  other->SetFont(*bold);
  other->DrawText("Mirab - 游戏大厅", Rect{5, 2, 120, 26}, 37);
  EXPECT_TRUE(SamePixels(ReadBack(*reused), ReadBack(*other)));
  EXPECT_EQ(reused->GetPixel(Point{1, 1}), Rgb(30, 90, 200));
}

TEST_F(CairoCanvasTest, TextLayoutsKeepABoundedNumberOfShortLines) {
  auto s = canvas_.CreateSurface(200, 30);
  cairo_surface_t* image = static_cast<CairoSurface&>(*s).Image();
  cairo_t* cr = cairo_create(image);
  gtk::CairoTextLayouts layouts;
  gtk::UniqueFontDescription font(gtk::DefaultGuiFontDescription());
  for (int i = 0; i < 200; ++i) {
    layouts.Measure(cr, font.get(), "caption " + std::to_string(i));
  }
  EXPECT_EQ(layouts.Kept(), gtk::CairoTextLayouts::kCapacity);
  // Text too long to keep is laid out each time, and its extent is still right.
  const std::string huge(20000, 'w');
  const Size once = layouts.Measure(cr, font.get(), huge);
  EXPECT_EQ(layouts.Measure(cr, font.get(), huge), once);
  EXPECT_GT(once.cx, 20000);
  EXPECT_EQ(layouts.Kept(), gtk::CairoTextLayouts::kCapacity);
  cairo_destroy(cr);
}

// Every text is a left-to-right paragraph, as the Windows strip draws it: a title that
// starts with a right-to-left mark is not moved to the right, nor cut at its left.
TEST_F(CairoCanvasTest, ARightToLeftMarkDoesNotTurnTheParagraph) {
  const Colour bg = Rgb(255, 255, 255);
  const std::string marked =
      "\xE2\x80\x8F"
      "A caption much wider than the box";
  auto cut = TextSurface(canvas_, 400, 30, bg);
  cut->DrawText(marked, Rect{10, 2, 100, 26}, 0x8000);
  const auto [left, right] = InkColumns(*cut, bg);
  EXPECT_GE(left, 10);
  EXPECT_LE(left, 13);
  EXPECT_GE(right, 95);
  EXPECT_LE(right, 109);
  // Right-to-left script alone, laid out in a box wider than it, starts at the box's left
  // too: alignment is not turned around.
  auto hebrew = TextSurface(canvas_, 400, 30, bg);
  hebrew->DrawText("\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \xD7\xA2\xD7\x95\xD7\x9C\xD7\x9D",
                   Rect{10, 2, 300, 26}, 0x8000);
  EXPECT_LE(InkColumns(*hebrew, bg).first, 14);
}

// Parts of a skin scaled once are kept; what they give is what scaling again gives, and
// a write to the skin forgets them.
TEST_F(CairoCanvasTest, KeptScaledPartsGiveWhatScalingAfreshGives) {
  auto skin = canvas_.LoadSkin(107);
  const auto scaled = [&](Surface& from) {
    auto s = canvas_.CreateSurface(200, 26);
    s->Stretch(Rect{14, 0, 172, 26}, from, Rect{15, 0, 96, 26}, true);
    s->Stretch(Rect{0, 0, 14, 26}, from, Rect{1, 0, 14, 26}, true);
    return ReadBack(*s);
  };
  const PixelImage first = scaled(*skin);
  EXPECT_TRUE(SamePixels(scaled(*skin), first));
  auto fresh_skin = canvas_.LoadSkin(107);
  EXPECT_TRUE(SamePixels(scaled(*fresh_skin), first));
  skin->FillRect(Rect{0, 0, 421, 28}, Rgb(1, 2, 3));
  const PixelImage after = scaled(*skin);
  EXPECT_EQ(after.At(100, 10), Rgb(1, 2, 3));
  EXPECT_EQ(after.At(5, 10), Rgb(1, 2, 3));
}

// A transparent transfer leaves the key colour out of every picture that holds it,
// whatever the picture was composed from.
TEST_F(CairoCanvasTest, TransparentCopyFindsTheKeyInComposedPictures) {
  auto skin = canvas_.LoadSkin(106);
  auto picture = canvas_.CreateSurface(40, 25);
  picture->Stretch(Rect{0, 0, 40, 25}, *skin, Rect{1, 0, 122, 25}, true);
  picture->FillRect(Rect{0, 0, 4, 4}, kMagenta);  // written after the keyed skin
  auto dest = canvas_.CreateSurface(40, 25);
  dest->FillRect(Rect{0, 0, 40, 25}, Rgb(9, 9, 9));
  dest->CopyTransparent(Rect{0, 0, 40, 25}, *picture, Point{0, 0}, kMagenta);
  EXPECT_EQ(dest->GetPixel(Point{1, 1}), Rgb(9, 9, 9));
  auto copied = canvas_.CreateSurface(40, 25);
  copied->Copy(Rect{0, 0, 40, 25}, *picture, Point{0, 0});
  dest->FillRect(Rect{0, 0, 40, 25}, Rgb(9, 9, 9));
  dest->CopyTransparent(Rect{0, 0, 40, 25}, *copied, Point{0, 0}, kMagenta);
  EXPECT_EQ(dest->GetPixel(Point{1, 1}), Rgb(9, 9, 9));
  // A new picture holds black only: black is the one colour it cannot lack.
  auto black = canvas_.CreateSurface(2, 1);
  dest->FillRect(Rect{0, 0, 40, 25}, Rgb(9, 9, 9));
  dest->CopyTransparent(Rect{0, 0, 2, 1}, *black, Point{0, 0}, kBlack);
  EXPECT_EQ(dest->GetPixel(Point{0, 0}), Rgb(9, 9, 9));
  dest->CopyTransparent(Rect{0, 0, 2, 1}, *black, Point{0, 0}, kMagenta);
  EXPECT_EQ(dest->GetPixel(Point{0, 0}), kBlack);
}

TEST_F(CairoCanvasTest, AmpersandsArePrefixesUnlessToldOtherwise) {
  const Colour bg = Rgb(255, 255, 255);
  auto doubled = TextSurface(canvas_, 100, 30, bg);
  doubled->DrawText("a&&b", Rect{0, 0, 100, 30}, 0);
  auto literal = TextSurface(canvas_, 100, 30, bg);
  literal->DrawText("a&b", Rect{0, 0, 100, 30}, 0x800);
  EXPECT_TRUE(SamePixels(ReadBack(*doubled), ReadBack(*literal)));
  auto prefixed = TextSurface(canvas_, 100, 30, bg);
  prefixed->DrawText("a&b", Rect{0, 0, 100, 30}, 0);
  EXPECT_FALSE(SamePixels(ReadBack(*prefixed), ReadBack(*literal)));
}

TEST_F(CairoCanvasTest, OpaqueTextBackgroundFillsTheTextsCells) {
  const Colour bg = Rgb(0, 200, 0);
  auto s = canvas_.CreateSurface(100, 30);
  s->FillRect(Rect{0, 0, 100, 30}, bg);
  s->SetTextColour(Rgb(200, 0, 0));
  // A new surface's text background is opaque white.
  s->DrawText("ii", Rect{0, 0, 100, 30}, 37);
  EXPECT_EQ(s->GetPixel(Point{0, 0}), bg);
  const Size extent = s->MeasureText("ii");
  const Point inside{50 - extent.cx / 2, 15 - extent.cy / 2 + 1};
  EXPECT_EQ(s->GetPixel(inside), Rgb(255, 255, 255));
  s->FillRect(Rect{0, 0, 100, 30}, bg);
  s->SetTextBackground(std::nullopt);
  s->DrawText("ii", Rect{0, 0, 100, 30}, 37);
  EXPECT_EQ(s->GetPixel(inside), bg);
}

TEST_F(CairoCanvasTest, PaintGoesThroughABorrowedContext) {
  SyntheticSkinCanvas skins(canvas_);
  TabScene scene;
  scene.SetStyle(0);
  scene.width = 250;
  scene.LayOut({100, 100});
  scene.selected = 0;
  TabPainter painter(skins, scene, scene);
  painter.CreateBuffers();
  painter.DrawAll(true);

  gtk::UniqueCairoSurface window(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 250, 25));
  gtk::UniqueCairo cr(cairo_create(window.get()));
  {
    CairoSurface target(cr.get(), 250, 25);
    EXPECT_EQ(target.GetPixel(Point{0, 0}), kInvalidColour);
    painter.Paint(target);
  }
  // The context lives on with its owner.
  EXPECT_EQ(cairo_status(cr.get()), CAIRO_STATUS_SUCCESS);
  cairo_surface_flush(window.get());
  const unsigned char* data = cairo_image_surface_get_data(window.get());
  const int stride = cairo_image_surface_get_stride(window.get());
  int wrong = 0;
  for (int y = 0; y < 25; ++y) {
    for (int x = 0; x < 250; ++x) {
      const std::uint32_t p = reinterpret_cast<const std::uint32_t*>(data + y * stride)[x];
      const Colour shown = Rgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
      wrong += shown != painter.BackBuffer()->GetPixel(Point{x, y});
    }
  }
  EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace orvane::test
