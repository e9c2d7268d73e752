#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/picture_headers.h"
#include "support/art_expectations.h"

// The readers are checked on the program's own art files and on small hand-made files;
// the art is checked for what the drawing code relies on when it cuts it.

namespace orvane {
namespace {

using art::kBitmaps;
using art::ReadArt;

constexpr std::uint32_t kMagenta = 0xFFFF00FFu;

DecodedBitmap DecodeArt(const std::string& name) {
  const auto bytes = ReadArt(name);
  auto decoded = DecodeBitmap(bytes);
  EXPECT_TRUE(decoded.has_value()) << name;
  return decoded.value_or(DecodedBitmap{});
}

// ---- The art files -------------------------------------------------------------------

TEST(ArtFiles, EveryBitmapHasItsSizeAndDepth) {
  for (const auto& c : kBitmaps) {
    SCOPED_TRACE(c.file);
    const auto bytes = ReadArt(c.file);
    ASSERT_FALSE(bytes.empty());
    const auto info = ParseBitmapInfo(bytes);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->width, c.width);
    EXPECT_EQ(info->height, c.height);
    EXPECT_EQ(info->bits_per_pixel, c.bits);
    EXPECT_EQ(info->compression, 0u);
    EXPECT_FALSE(info->top_down);
    // What a BITMAP resource holds: the same picture without the file header.
    const auto dib = DibOfBmpFile(bytes);
    ASSERT_TRUE(dib.has_value());
    EXPECT_EQ(dib->size(), bytes.size() - 14);
    const auto from_dib = ParseBitmapInfo(*dib);
    ASSERT_TRUE(from_dib.has_value());
    EXPECT_EQ(from_dib->width, c.width);
    EXPECT_EQ(from_dib->pixel_offset, info->pixel_offset);
  }
}

TEST(ArtFiles, ButtonStripCellsShowDifferentStates) {
  for (const auto& c : kBitmaps) {
    if (c.cells == 0) {
      continue;
    }
    SCOPED_TRACE(c.file);
    const DecodedBitmap bmp = DecodeArt(c.file);
    const int cell = c.width / c.cells;
    for (int a = 0; a < c.cells; ++a) {
      for (int b = a + 1; b < c.cells; ++b) {
        bool differ = false;
        for (int y = 0; y < c.height && !differ; ++y) {
          for (int x = 0; x < cell && !differ; ++x) {
            differ = bmp.At(a * cell + x, y) != bmp.At(b * cell + x, y);
          }
        }
        EXPECT_TRUE(differ) << "cells " << a << " and " << b << " look the same";
      }
    }
  }
}

TEST(ArtFiles, LinkButtonCellsStretchWithoutSeams) {
  // Each 4-pixel cell is stretched over the whole button: its columns must be alike.
  for (const char* file : {"link_game_site.bmp", "link_other_account.bmp"}) {
    SCOPED_TRACE(file);
    const DecodedBitmap bmp = DecodeArt(file);
    for (int cell = 0; cell < 3; ++cell) {
      for (int y = 0; y < bmp.height; ++y) {
        for (int x = 1; x < 4; ++x) {
          EXPECT_EQ(bmp.At(cell * 4 + x, y), bmp.At(cell * 4, y)) << cell << "," << y;
        }
      }
    }
  }
}

TEST(ArtFiles, CaptionButtonsAndLogoMeetTheCaptionBand) {
  // Buttons sit on bar rows 1..18 and the logo on rows 2..30; where they show no glyph
  // they must carry the band's colour of those rows.
  const DecodedBitmap bar = DecodeArt("caption_skin.bmp");
  for (const char* file :
       {"min_button.bmp", "maxrestore_button.bmp", "close_button.bmp", "menu_button.bmp"}) {
    SCOPED_TRACE(file);
    const DecodedBitmap button = DecodeArt(file);
    for (int y = 0; y < button.height; ++y) {
      EXPECT_EQ(button.At(0, y), bar.At(30, y + 1)) << "row " << y;
    }
  }
  const DecodedBitmap logo = DecodeArt("logo.bmp");
  for (int y = 0; y < logo.height; ++y) {
    EXPECT_EQ(logo.At(0, y), bar.At(30, y + 2)) << "row " << y;
    for (int x = 0; x < logo.width; ++x) {
      EXPECT_EQ(logo.At(x, y) >> 24, 0xFFu) << "the logo is opaque";
    }
  }
}

TEST(ArtFiles, CaptionSkinPiecesRepeatWithoutSeams) {
  const DecodedBitmap skin = DecodeArt("caption_skin.bmp");
  ASSERT_EQ(skin.width, 94);
  ASSERT_EQ(skin.height, 85);
  // Bar pieces (rows 0..35): the middle piece x 20..39 is repeated sideways, and the left
  // end (to 36) and right end (from 27) continue it between the outlines and the
  // rounded corners.
  for (int y = 0; y < 36; ++y) {
    for (int x = 2; x < 92; ++x) {
      EXPECT_EQ(skin.At(x, y), skin.At(20, y)) << x << "," << y;
    }
  }
  // Side edges (x 0..3 and 90..93 from row 53) are repeated downwards every 20 rows.
  for (int y = 36; y < 81; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(skin.At(x, y), skin.At(x, 53)) << x << "," << y;
      EXPECT_EQ(skin.At(93 - x, y), skin.At(x, 53)) << "right edge mirrors the left";
    }
  }
  // The bottom edge (rows 81..84) is repeated sideways from x 20.
  for (int y = 81; y < 85; ++y) {
    for (int x = 4; x < 90; ++x) {
      EXPECT_EQ(skin.At(x, y), skin.At(20, y)) << x << "," << y;
    }
  }
  // A blue band over a white client area.
  EXPECT_EQ(skin.At(47, 60), 0xFFFFFFFFu);
  const std::uint32_t band = skin.At(47, 16);
  EXPECT_GT(band & 0xFF, (band >> 16) & 0xFF) << "more blue than red";
  EXPECT_NE(skin.At(2, 60), 0xFFFFFFFFu) << "the frame is not white";
  EXPECT_NE(skin.At(47, 83), 0xFFFFFFFFu);
}

struct TabSkinCase {
  const char* file;
  int width, height;
  int pic_w, pic_h;
  int pics[3];
  int closes[4];
};

constexpr TabSkinCase kTabSkins[] = {
    {"tab_skin_0.bmp", 415, 25, 122, 25, {1, 123, 245}, {367, 379, 391, 403}},
    {"tab_skin_1.bmp", 421, 28, 124, 26, {1, 125, 249}, {373, 385, 397, 409}},
};

TEST(ArtFiles, TabSkinsFollowTheCuttingTable) {
  for (const auto& c : kTabSkins) {
    SCOPED_TRACE(c.file);
    const DecodedBitmap skin = DecodeArt(c.file);
    ASSERT_EQ(skin.width, c.width);
    ASSERT_EQ(skin.height, c.height);
    for (int y = 0; y < c.height; ++y) {
      EXPECT_NE(skin.At(0, y), kMagenta) << "background column, row " << y;
    }
    for (int x : c.pics) {
      // Centre of the picture: solid from top to bottom, and the same in every column
      // between the 14-pixel margins, which is what gets stretched.
      for (int y = 1; y < c.pic_h; ++y) {
        EXPECT_NE(skin.At(x + c.pic_w / 2, y), kMagenta) << x << "," << y;
        for (int cx = x + 14; cx < x + c.pic_w - 14; ++cx) {
          ASSERT_EQ(skin.At(cx, y), skin.At(x + 14, y)) << cx << "," << y;
        }
      }
      // The corners are cut away and rows below the picture are transparent.
      EXPECT_EQ(skin.At(x, 0), kMagenta);
      EXPECT_EQ(skin.At(x + c.pic_w - 1, 0), kMagenta);
      for (int y = c.pic_h; y < c.height; ++y) {
        for (int px = x; px < x + c.pic_w; ++px) {
          ASSERT_EQ(skin.At(px, y), kMagenta) << px << "," << y;
        }
      }
    }
    // The three pictures differ (normal, hovered, selected).
    EXPECT_NE(skin.At(c.pics[0] + 60, 12), skin.At(c.pics[1] + 60, 12));
    EXPECT_NE(skin.At(c.pics[1] + 60, 12), skin.At(c.pics[2] + 60, 12));
    // Close pictures: 12 x 12 at the top, something drawn in each, transparent below.
    for (int x : c.closes) {
      int drawn = 0;
      for (int y = 0; y < 12; ++y) {
        for (int px = x; px < x + 12; ++px) {
          drawn += skin.At(px, y) != kMagenta;
        }
      }
      EXPECT_GT(drawn, 10) << "close picture at " << x;
      for (int y = 12; y < c.height; ++y) {
        for (int px = x; px < x + 12; ++px) {
          ASSERT_EQ(skin.At(px, y), kMagenta) << px << "," << y;
        }
      }
    }
    EXPECT_EQ(c.closes[3] + 12, c.width);
  }
}

TEST(ArtFiles, IconFileHoldsSixImages) {
  const auto bytes = ReadArt("mirab.ico");
  const auto images = ParseIconDirectory(bytes);
  ASSERT_TRUE(images.has_value());
  ASSERT_EQ(images->size(), 6u);
  const int sizes[] = {16, 128, 64, 48, 32, 16};
  const int bits[] = {8, 32, 32, 32, 32, 32};
  for (std::size_t i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    const IconImageInfo& image = (*images)[i];
    EXPECT_EQ(image.width, sizes[i]);
    EXPECT_EQ(image.height, sizes[i]);
    EXPECT_EQ(image.image_width, sizes[i]);
    EXPECT_EQ(image.image_height, sizes[i]);
    EXPECT_EQ(image.bits_per_pixel, bits[i]);
    EXPECT_FALSE(image.png);
  }
}

TEST(ArtFiles, PngPicturesHaveTheirSizesAndAlpha) {
  const auto background = ParsePngHeader(ReadArt("login_background.png"));
  ASSERT_TRUE(background.has_value());
  EXPECT_EQ(background->width, 1191);
  EXPECT_EQ(background->height, 700);
  EXPECT_EQ(background->colour_type, 6);
  EXPECT_EQ(background->bit_depth, 8);
  const auto splash = ParsePngHeader(ReadArt("splash.png"));
  ASSERT_TRUE(splash.has_value());
  EXPECT_EQ(splash->width, 356);
  EXPECT_EQ(splash->height, 122);
  EXPECT_EQ(splash->colour_type, 6);
}

// ---- The readers on hand-made data ---------------------------------------------------

void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) {
    b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
  }
}

// A packed DIB: 40-byte header, `colours` palette entries, then `rows` bytes of pixels.
std::vector<std::uint8_t> MakeDib(int width, int height, int bits, std::uint32_t colours,
                                  std::size_t row_bytes) {
  const std::size_t rows = row_bytes * static_cast<std::size_t>(height < 0 ? -height : height);
  std::vector<std::uint8_t> b(40 + colours * 4 + rows, 0);
  Put32(b, 0, 40);
  Put32(b, 4, static_cast<std::uint32_t>(width));
  Put32(b, 8, static_cast<std::uint32_t>(height));
  Put16(b, 12, 1);
  Put16(b, 14, static_cast<std::uint16_t>(bits));
  Put32(b, 32, colours);
  return b;
}

std::vector<std::uint8_t> WithFileHeader(const std::vector<std::uint8_t>& dib,
                                         std::uint32_t pixel_offset) {
  std::vector<std::uint8_t> b(14 + dib.size(), 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<std::uint32_t>(b.size()));
  Put32(b, 10, pixel_offset);
  std::copy(dib.begin(), dib.end(), b.begin() + 14);
  return b;
}

TEST(BitmapReader, DecodesBottomUpRowsWithPadding) {
  // 2 x 2, 24 bits: rows of 6 bytes padded to 8; the first stored row is the bottom one.
  auto dib = MakeDib(2, 2, 24, 0, 8);
  const std::uint8_t bottom[] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06};
  const std::uint8_t top[] = {0x10, 0x20, 0x30, 0x40, 0x50, 0x60};
  std::copy(std::begin(bottom), std::end(bottom), dib.begin() + 40);
  std::copy(std::begin(top), std::end(top), dib.begin() + 48);
  const auto decoded = DecodeBitmap(dib);
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->At(0, 0), 0xFF302010u);
  EXPECT_EQ(decoded->At(1, 0), 0xFF605040u);
  EXPECT_EQ(decoded->At(0, 1), 0xFF030201u);
  EXPECT_EQ(decoded->At(1, 1), 0xFF060504u);
  // The same picture inside a file.
  const auto file = WithFileHeader(dib, 14 + 40);
  const auto from_file = DecodeBitmap(file);
  ASSERT_TRUE(from_file.has_value());
  EXPECT_EQ(from_file->pixels, decoded->pixels);
}

TEST(BitmapReader, DecodesTopDownAlphaAndPalettePictures) {
  auto top_down = MakeDib(1, -2, 32, 0, 4);
  const std::uint8_t rows[] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
  std::copy(std::begin(rows), std::end(rows), top_down.begin() + 40);
  const auto decoded = DecodeBitmap(top_down);
  ASSERT_TRUE(decoded.has_value());
  EXPECT_TRUE(ParseBitmapInfo(top_down)->top_down);
  EXPECT_EQ(decoded->height, 2);
  EXPECT_EQ(decoded->At(0, 0), 0x44332211u);
  EXPECT_EQ(decoded->At(0, 1), 0x88776655u);

  // 8 bits with a two-colour table; an index past the table reads as black.
  auto palette = MakeDib(3, 1, 8, 2, 4);
  Put32(palette, 40, 0x00AABBCC);
  Put32(palette, 44, 0x00112233);
  palette[48] = 1;
  palette[49] = 0;
  palette[50] = 7;
  const auto indexed = DecodeBitmap(palette);
  ASSERT_TRUE(indexed.has_value());
  EXPECT_EQ(indexed->At(0, 0), 0xFF112233u);
  EXPECT_EQ(indexed->At(1, 0), 0xFFAABBCCu);
  EXPECT_EQ(indexed->At(2, 0), 0xFF000000u);
}

TEST(BitmapReader, RefusesDataItCannotTrust) {
  const auto good = MakeDib(2, 2, 24, 0, 8);
  ASSERT_TRUE(ParseBitmapInfo(good).has_value());
  // Pixel rows cut short.
  EXPECT_FALSE(ParseBitmapInfo(std::span(good).first(good.size() - 1)).has_value());
  EXPECT_FALSE(DecodeBitmap(std::span(good).first(good.size() - 1)).has_value());
  // Header cut short, empty data.
  EXPECT_FALSE(ParseBitmapInfo(std::span(good).first(20)).has_value());
  EXPECT_FALSE(ParseBitmapInfo({}).has_value());
  // Unknown header size, zero or absurd width, unsupported depth, compression.
  auto bad = good;
  Put32(bad, 0, 41);
  EXPECT_FALSE(ParseBitmapInfo(bad).has_value());
  bad = good;
  Put32(bad, 4, 0);
  EXPECT_FALSE(ParseBitmapInfo(bad).has_value());
  bad = good;
  Put32(bad, 4, 0x7FFFFFFF);
  EXPECT_FALSE(ParseBitmapInfo(bad).has_value());
  bad = good;
  Put16(bad, 14, 7);
  EXPECT_FALSE(ParseBitmapInfo(bad).has_value());
  bad = good;
  Put32(bad, 16, 1);  // run-length encoded
  EXPECT_FALSE(ParseBitmapInfo(bad).has_value());
  // A colour table longer than the depth allows.
  auto table = MakeDib(1, 1, 1, 3, 4);
  EXPECT_FALSE(ParseBitmapInfo(table).has_value());
  // A file whose pixels do not follow the header cannot be handed out as a packed DIB.
  EXPECT_TRUE(DibOfBmpFile(WithFileHeader(good, 54)).has_value());
  EXPECT_FALSE(DibOfBmpFile(WithFileHeader(good, 60)).has_value());
  EXPECT_FALSE(DibOfBmpFile(good).has_value()) << "no file header";
}

std::vector<std::uint8_t> MakeIcon(int count) {
  // A directory of `count` 1 x 1 32-bit images.
  const std::size_t image_size = 40 + 4 + 4;  // header, one pixel, one mask row
  std::vector<std::uint8_t> b(6 + 16 * static_cast<std::size_t>(count), 0);
  Put16(b, 2, 1);
  Put16(b, 4, static_cast<std::uint16_t>(count));
  for (int i = 0; i < count; ++i) {
    const std::size_t e = 6 + 16 * static_cast<std::size_t>(i);
    b[e] = 1;
    b[e + 1] = 1;
    Put16(b, e + 4, 1);
    Put16(b, e + 6, 32);
    Put32(b, e + 8, image_size);
    Put32(b, e + 12, static_cast<std::uint32_t>(b.size()));
    auto image = MakeDib(1, 2, 32, 0, 4);
    image.resize(image_size, 0);
    b.insert(b.end(), image.begin(), image.end());
  }
  return b;
}

TEST(IconReader, ReadsTheDirectoryAndRefusesBrokenOnes) {
  const auto icon = MakeIcon(2);
  const auto images = ParseIconDirectory(icon);
  ASSERT_TRUE(images.has_value());
  ASSERT_EQ(images->size(), 2u);
  EXPECT_EQ((*images)[1].image_width, 1);
  EXPECT_EQ((*images)[1].image_height, 1);
  EXPECT_EQ((*images)[1].bits_per_pixel, 32);

  auto bad = icon;
  Put16(bad, 2, 2);  // a cursor file
  EXPECT_FALSE(ParseIconDirectory(bad).has_value());
  bad = icon;
  Put32(bad, 6 + 16 + 12, static_cast<std::uint32_t>(icon.size()));  // image past the end
  EXPECT_FALSE(ParseIconDirectory(bad).has_value());
  bad = icon;
  Put32(bad, 6 + 8, 0xFFFFFFF0u);  // size that would wrap around
  EXPECT_FALSE(ParseIconDirectory(bad).has_value());
  EXPECT_FALSE(ParseIconDirectory(std::span(icon).first(icon.size() - 1)).has_value())
      << "the last image's mask is cut";
  bad = icon;
  Put16(bad, 4, 0);
  EXPECT_FALSE(ParseIconDirectory(bad).has_value());
}

TEST(PngReader, ReadsTheHeaderAndRefusesOtherData) {
  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0,
                                   0,    13,  'I', 'H', 'D',  'R',  0,    0,    1, 2,
                                   0,    0,   0,   3,   8,    6,    0,    0,    0};
  const auto info = ParsePngHeader(png);
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->width, 258);
  EXPECT_EQ(info->height, 3);
  EXPECT_EQ(info->bit_depth, 8);
  EXPECT_EQ(info->colour_type, 6);
  EXPECT_FALSE(ParsePngHeader(std::span(png).first(20)).has_value());
  auto bad = png;
  bad[1] = 'Q';
  EXPECT_FALSE(ParsePngHeader(bad).has_value());
  bad = png;
  bad[19] = 0;  // width 256 -> 0
  bad[18] = 0;
  EXPECT_FALSE(ParsePngHeader(bad).has_value());
}

}  // namespace
}  // namespace orvane
