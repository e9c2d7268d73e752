// The GDI side of the tab strip's drawing: memory device contexts with their bitmaps and
// failure texts, the surface's transfers, fonts and text, and painting into a window.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/win32/gdi_canvas.h"
#include "base/win32/gdi_mem_dc.h"
#include "base/win32/gdi_surface.h"
#include "base/win32/text_encoding.h"
#include "support/canvas_synthetic_skin.h"
#include "support/canvas_tab_paint_scenes.h"
#include "support/canvas_tab_scene.h"
#include "tabstrip/tab_painter.h"

namespace orvane::test {
namespace {

using win32::CreateBitmapDC;
using win32::CreateMemDC;
using win32::FreeMemDC;
using win32::GdiCanvas;
using win32::GdiSurface;

std::string FailureText(int width, int height) {
  try {
    CreateMemDC(width, height);
  } catch (const DrawingError& e) {
    return e.what();
  }
  return "no failure";
}

TEST(GdiMemDc, CreateMemDcSelectsANewBlackBitmapOfThatSize) {
  win32::MemDc dc = CreateMemDC(30, 7);
  ASSERT_TRUE(dc);
  HGDIOBJ bitmap = ::GetCurrentObject(dc.get(), OBJ_BITMAP);
  BITMAP info{};
  ASSERT_EQ(::GetObjectW(bitmap, sizeof(info), &info), static_cast<int>(sizeof(info)));
  EXPECT_EQ(info.bmWidth, 30);
  EXPECT_EQ(info.bmHeight, 7);
  EXPECT_EQ(::GetPixel(dc.get(), 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(::GetPixel(dc.get(), 29, 6), RGB(0, 0, 0));
}

TEST(GdiMemDc, ABufferOfNoPixelsFailsWithTheBitmapText) {
  EXPECT_EQ(FailureText(0, 25), "CreateCompatibleBitmap调用失败");
  EXPECT_EQ(FailureText(25, 0), "CreateCompatibleBitmap调用失败");
  EXPECT_EQ(FailureText(-3, 25), "CreateCompatibleBitmap调用失败");
  EXPECT_EQ(FailureText(1, 1), "no failure");
}

TEST(GdiMemDc, FreeMemDcDeletesTheContextAndItsBitmap) {
  win32::MemDc dc = CreateMemDC(8, 8);
  HDC raw = dc.release();
  HGDIOBJ bitmap = ::GetCurrentObject(raw, OBJ_BITMAP);
  ASSERT_EQ(::GetObjectType(raw), static_cast<DWORD>(OBJ_MEMDC));
  ASSERT_EQ(::GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
  FreeMemDC(raw);
  EXPECT_EQ(::GetObjectType(raw), 0u);
  EXPECT_EQ(::GetObjectType(bitmap), 0u);
}

TEST(GdiMemDc, CreateBitmapDcOwnsTheBitmapItIsGiven) {
  HDC screen = ::GetDC(nullptr);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 5, 5);
  ::ReleaseDC(nullptr, screen);
  HDC raw = nullptr;
  {
    win32::MemDc dc = CreateBitmapDC(win32::UniqueBitmap(bitmap));
    raw = dc.get();
    EXPECT_EQ(::GetCurrentObject(raw, OBJ_BITMAP), bitmap);
  }
  EXPECT_EQ(::GetObjectType(raw), 0u);
  EXPECT_EQ(::GetObjectType(bitmap), 0u);
}

TEST(GdiSurface, PutsTheOriginalFontBackIntoABorrowedContext) {
  GdiCanvas canvas;
  std::unique_ptr<Font> bold = canvas.CreateGuiFont(700);
  win32::MemDc dc = CreateMemDC(4, 4);
  HGDIOBJ original = ::GetCurrentObject(dc.get(), OBJ_FONT);
  {
    GdiSurface borrowed(dc.get(), 4, 4);
    borrowed.SetFont(*bold);
    borrowed.SetFont(*bold);
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_FONT),
              static_cast<const win32::GdiFont&>(*bold).Handle());
  }
  EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_FONT), original);
  // The borrowed context itself is left alive.
  EXPECT_EQ(::GetObjectType(dc.get()), static_cast<DWORD>(OBJ_MEMDC));
}

TEST(GdiCanvas, GuiFontsAreTheDefaultGuiFontWithTheirWeight) {
  GdiCanvas canvas;
  LOGFONTW gui{};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(gui), &gui);
  for (int weight : {100, 700}) {
    std::unique_ptr<Font> font = canvas.CreateGuiFont(weight);
    EXPECT_EQ(font->Weight(), weight);
    LOGFONTW made{};
    ASSERT_NE(::GetObjectW(static_cast<const win32::GdiFont&>(*font).Handle(), sizeof(made), &made),
              0);
    EXPECT_EQ(made.lfWeight, weight);
    EXPECT_EQ(made.lfHeight, gui.lfHeight);
    EXPECT_EQ(std::wstring(made.lfFaceName), std::wstring(gui.lfFaceName));
    EXPECT_EQ(made.lfCharSet, gui.lfCharSet);
  }
}

TEST(GdiCanvas, SkinsComeFromTheProgramsBitmapResources) {
  GdiCanvas canvas;
  std::unique_ptr<Surface> skin0 = canvas.LoadSkin(106);
  std::unique_ptr<Surface> skin1 = canvas.LoadSkin(107);
  EXPECT_EQ(skin0->Width(), 415);
  EXPECT_EQ(skin0->Height(), 25);
  EXPECT_EQ(skin1->Width(), 421);
  EXPECT_EQ(skin1->Height(), 28);
  // Magenta fills what no picture covers, e.g. right of the last close box.
  EXPECT_EQ(skin0->GetPixel(Point{414, 20}), kMagenta);
  EXPECT_THROW(canvas.LoadSkin(4242), DrawingError);
}

TEST(GdiCanvas, SkinFileLoadsLikeTheResource) {
  GdiCanvas canvas;
  std::unique_ptr<Surface> resource = canvas.LoadSkin(107);
  std::unique_ptr<Surface> file =
      canvas.LoadSkinFile(win32::Utf8ToWide(ORVANE_RESOURCE_DIR "/tab_skin_1.bmp"));
  ASSERT_EQ(file->Width(), resource->Width());
  EXPECT_TRUE(SamePixels(ReadBack(*file), ReadBack(*resource)));
}

TEST(GdiSurfaceTransfers, TransparentCopyLeavesTheKeyColourOut) {
  GdiCanvas canvas;
  auto source = canvas.CreateSurface(3, 1);
  source->FillRect(Rect{0, 0, 1, 1}, Rgb(10, 20, 30));
  source->FillRect(Rect{1, 0, 1, 1}, kMagenta);
  source->FillRect(Rect{2, 0, 1, 1}, Rgb(40, 50, 60));
  auto dest = canvas.CreateSurface(5, 2);
  dest->FillRect(Rect{0, 0, 5, 2}, Rgb(1, 1, 1));
  EXPECT_TRUE(dest->CopyTransparent(Rect{1, 1, 3, 1}, *source, Point{0, 0}, kMagenta));
  EXPECT_EQ(dest->GetPixel(Point{1, 1}), Rgb(10, 20, 30));
  EXPECT_EQ(dest->GetPixel(Point{2, 1}), Rgb(1, 1, 1));
  EXPECT_EQ(dest->GetPixel(Point{3, 1}), Rgb(40, 50, 60));
  EXPECT_EQ(dest->GetPixel(Point{1, 0}), Rgb(1, 1, 1));
  EXPECT_FALSE(dest->CopyTransparent(Rect{0, 0, 0, 1}, *source, Point{0, 0}, kMagenta));
}

TEST(GdiSurfaceTransfers, StretchSetsHalftoneOnlyWhenAsked) {
  // (Wine draws HALFTONE like COLORONCOLOR, so the averaging itself cannot be seen here;
  // the mode and brush origin the call leaves on the context can.)
  GdiCanvas canvas;
  auto source = canvas.CreateSurface(4, 4);
  source->FillRect(Rect{0, 0, 4, 4}, Rgb(0, 0, 0));
  source->FillRect(Rect{0, 0, 2, 4}, Rgb(200, 200, 200));
  auto dest = canvas.CreateSurface(1, 1);
  HDC dc = static_cast<GdiSurface&>(*dest).Dc();
  ::SetBrushOrgEx(dc, 3, 3, nullptr);
  EXPECT_TRUE(dest->Stretch(Rect{0, 0, 1, 1}, *source, Rect{0, 0, 4, 4}, true));
  EXPECT_EQ(::GetStretchBltMode(dc), HALFTONE);
  POINT origin{};
  ::GetBrushOrgEx(dc, &origin);
  EXPECT_EQ(origin.x, 0);
  EXPECT_EQ(origin.y, 0);
  const Colour halftone = dest->GetPixel(Point{0, 0});
  EXPECT_LE(RedOf(halftone), 200);
  EXPECT_EQ(RedOf(halftone), BlueOf(halftone));
  EXPECT_TRUE(dest->Stretch(Rect{0, 0, 1, 1}, *source, Rect{0, 2, 4, 2}, false));
  EXPECT_EQ(::GetStretchBltMode(dc), BLACKONWHITE);
  // A negative extent would mirror; it draws nothing instead.
  EXPECT_FALSE(dest->Stretch(Rect{0, 0, -1, 1}, *source, Rect{0, 0, 4, 4}, true));
  EXPECT_FALSE(dest->Stretch(Rect{0, 0, 1, 1}, *source, Rect{4, 0, -4, 4}, true));
  // Enlarging repeats pixels.
  auto wide = canvas.CreateSurface(8, 1);
  wide->Stretch(Rect{0, 0, 8, 1}, *source, Rect{0, 0, 4, 1}, false);
  EXPECT_EQ(wide->GetPixel(Point{0, 0}), Rgb(200, 200, 200));
  EXPECT_EQ(wide->GetPixel(Point{3, 0}), Rgb(200, 200, 200));
  EXPECT_EQ(wide->GetPixel(Point{4, 0}), Rgb(0, 0, 0));
  EXPECT_EQ(wide->GetPixel(Point{7, 0}), Rgb(0, 0, 0));
}

TEST(GdiSurfaceText, MeasuresCaptionsInTheAnsiCodePage) {
  GdiCanvas canvas;
  auto surface = canvas.CreateSurface(10, 10);
  auto font = canvas.CreateGuiFont(100);
  surface->SetFont(*font);
  HDC dc = static_cast<GdiSurface&>(*surface).Dc();
  SIZE wide{};
  ::GetTextExtentPoint32W(dc, L"Caption", 7, &wide);
  EXPECT_EQ(surface->MeasureText("Caption"), (Size{wide.cx, wide.cy}));
  EXPECT_EQ(surface->MeasureText("").cx, 0);
  // Chinese text is measured over the bytes the ANSI code page gives it: on a Chinese
  // system its own two bytes per character, elsewhere one replacement byte each.
  const UINT code_page = ::GetACP();
  const std::string ansi = code_page == 936       ? "\xD3\xCE\xCF\xB7"
                           : code_page == CP_UTF8 ? "游戏"
                                                  : "??";
  SIZE expected{};
  ::GetTextExtentPoint32A(dc, ansi.c_str(), static_cast<int>(ansi.size()), &expected);
  EXPECT_EQ(surface->MeasureText("游戏").cx, expected.cx);
}

TEST(GdiSurfaceText, TransparentBackgroundDrawsOnlyTheGlyphs) {
  GdiCanvas canvas;
  auto surface = canvas.CreateSurface(60, 20);
  surface->FillRect(Rect{0, 0, 60, 20}, Rgb(0, 200, 0));
  surface->SetTextColour(Rgb(200, 0, 0));
  surface->SetTextBackground(std::nullopt);
  surface->DrawText("II", Rect{0, 0, 60, 20}, 37);
  int green = 0, red = 0, white = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 60; ++x) {
      const Colour c = surface->GetPixel(Point{x, y});
      green += c == Rgb(0, 200, 0);
      red += RedOf(c) > 150 && GreenOf(c) < 80;
      white += c == Rgb(255, 255, 255);
    }
  }
  EXPECT_GT(red, 0);
  EXPECT_GT(green, 60 * 20 / 2);
  EXPECT_EQ(white, 0);
  // An opaque background fills the text's cells.
  surface->SetTextBackground(Rgb(255, 255, 255));
  surface->DrawText("II", Rect{0, 0, 60, 20}, 37);
  EXPECT_EQ(surface->GetPixel(Point{30, 10}) == Rgb(0, 200, 0), false);
}

// The strip window receives the back buffer through its own device context.
TEST(GdiTabPaintWindow, BackBufferReachesARealWindow) {
  GdiCanvas platform;
  SyntheticSkinCanvas canvas(platform);
  TabScene scene;
  scene.SetStyle(1);
  scene.width = 300;
  scene.left_size = 10;
  scene.LayOut({120, 120});
  scene.selected = 1;
  TabPainter painter(canvas, scene, scene);
  painter.CreateBuffers();
  painter.DrawAll(true);

  HWND window = ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP, 0, 0,
                                  300, 32, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  ::ShowWindow(window, SW_SHOWNOACTIVATE);
  ::UpdateWindow(window);
  auto shows_back_buffer = [&](HDC dc) {
    int wrong = 0;
    for (int y = 0; y < 32; y += 3) {
      for (int x = 0; x < 300; x += 7) {
        wrong += static_cast<Colour>(::GetPixel(dc, x, y)) !=
                 painter.BackBuffer()->GetPixel(Point{x, y});
      }
    }
    return wrong;
  };
  HDC dc = ::GetDC(window);
  ::PatBlt(dc, 0, 0, 300, 32, WHITENESS);
  EXPECT_GT(shows_back_buffer(dc), 0);
  {
    GdiSurface target(dc, 300, 32);
    painter.Paint(target);
  }
  EXPECT_EQ(shows_back_buffer(dc), 0);

  // Presenting outside of painting goes the same way.
  ::PatBlt(dc, 0, 0, 300, 32, WHITENESS);
  EXPECT_TRUE(win32::CopyToWindow(window, *painter.BackBuffer()));
  EXPECT_EQ(shows_back_buffer(dc), 0);
  ::ReleaseDC(window, dc);
  ::DestroyWindow(window);
}

}  // namespace
}  // namespace orvane::test
