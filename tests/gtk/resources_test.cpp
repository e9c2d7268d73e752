#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gio/gio.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/picture_headers.h"
#include "base/resource_ids.h"
#include "base/resources.h"
#include "support/art_expectations.h"

// The resources as the Linux program carries them in its GResource bundle: read back
// through LoadResourceBytes, compared with the art files, decoded by gdk-pixbuf.

namespace orvane {
namespace {

using art::CountDistinctCells;
using art::kBitmaps;
using art::ReadArt;

struct ObjectUnref {
  void operator()(gpointer object) const noexcept { g_object_unref(object); }
};
using PixbufPtr = std::unique_ptr<GdkPixbuf, ObjectUnref>;

// An independent decoder: gdk-pixbuf's own loaders.
PixbufPtr DecodeWithPixbuf(const std::vector<std::uint8_t>& file) {
  std::unique_ptr<GdkPixbufLoader, ObjectUnref> loader(gdk_pixbuf_loader_new());
  GError* error = nullptr;
  const bool ok = gdk_pixbuf_loader_write(loader.get(), file.data(), file.size(), &error) &&
                  gdk_pixbuf_loader_close(loader.get(), &error);
  if (error != nullptr) {
    ADD_FAILURE() << error->message;
    g_error_free(error);
  }
  if (!ok) {
    return nullptr;
  }
  GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader.get());
  return PixbufPtr(pixbuf ? GDK_PIXBUF(g_object_ref(pixbuf)) : nullptr);
}

// Red, green, blue and alpha (255 without an alpha channel) of one pixel.
std::uint32_t PixelOf(GdkPixbuf* pixbuf, int x, int y) {
  const int channels = gdk_pixbuf_get_n_channels(pixbuf);
  const guint8* p = gdk_pixbuf_read_pixels(pixbuf) +
                    static_cast<std::size_t>(y) * gdk_pixbuf_get_rowstride(pixbuf) +
                    static_cast<std::size_t>(x) * channels;
  const std::uint32_t alpha = gdk_pixbuf_get_has_alpha(pixbuf) ? p[3] : 255u;
  return (alpha << 24) | (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
}

TEST(GtkResources, EveryBitmapIsCarriedAsAPackedDib) {
  for (const auto& c : kBitmaps) {
    SCOPED_TRACE(c.file);
    const auto bytes = LoadResourceBytes(ResourceType::Bitmap, c.id);
    ASSERT_TRUE(bytes.has_value());
    const auto file = ReadArt(c.file);
    ASSERT_GT(file.size(), 14u);
    EXPECT_EQ(*bytes, std::vector<std::uint8_t>(file.begin() + 14, file.end()));
    const auto info = ParseBitmapInfo(*bytes);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->width, c.width);
    EXPECT_EQ(info->height, c.height);
    EXPECT_EQ(info->bits_per_pixel, c.bits);
    if (c.cells != 0) {
      // A skinned button cuts its strip into cells of the rounded width; each shows a
      // state of its own.
      const auto pixels = DecodeBitmap(*bytes);
      ASSERT_TRUE(pixels.has_value());
      EXPECT_EQ(CountDistinctCells(*pixels, c.cells, c.cell_width), c.cells);
    }
  }
}

TEST(GtkResources, BitmapPixelsAgreeWithGdkPixbuf) {
  for (const auto& c : kBitmaps) {
    SCOPED_TRACE(c.file);
    const auto dib = LoadResourceBytes(ResourceType::Bitmap, c.id);
    ASSERT_TRUE(dib.has_value());
    const auto ours = DecodeBitmap(*dib);
    ASSERT_TRUE(ours.has_value());
    const PixbufPtr theirs = DecodeWithPixbuf(ReadArt(c.file));
    ASSERT_NE(theirs, nullptr);
    ASSERT_EQ(gdk_pixbuf_get_width(theirs.get()), ours->width);
    ASSERT_EQ(gdk_pixbuf_get_height(theirs.get()), ours->height);
    for (int y = 0; y < ours->height; ++y) {
      for (int x = 0; x < ours->width; ++x) {
        // Colours only: loaders differ on the fourth byte of 32-bit bitmaps.
        ASSERT_EQ(PixelOf(theirs.get(), x, y) & 0xFFFFFFu, ours->At(x, y) & 0xFFFFFFu)
            << x << "," << y;
      }
    }
  }
}

TEST(GtkResources, IconFileIsCarriedWholeWithSixImages) {
  const auto bytes = LoadResourceBytes(ResourceType::Icon, ORVANE_ICONFILE_MIRAB);
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(*bytes, ReadArt("mirab.ico"));
  const auto images = ParseIconDirectory(*bytes);
  ASSERT_TRUE(images.has_value());
  ASSERT_EQ(images->size(), 6u);
  const int sizes[] = {16, 128, 64, 48, 32, 16};
  const int bits[] = {8, 32, 32, 32, 32, 32};
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ((*images)[i].image_width, sizes[i]) << i;
    EXPECT_EQ((*images)[i].bits_per_pixel, bits[i]) << i;
  }
  // gdk-pixbuf picks the largest image, transparent around its rounded tile.
  const PixbufPtr icon = DecodeWithPixbuf(*bytes);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(gdk_pixbuf_get_width(icon.get()), 128);
  EXPECT_EQ(PixelOf(icon.get(), 0, 0) >> 24, 0u);
  EXPECT_EQ(PixelOf(icon.get(), 64, 100) >> 24, 255u);
}

TEST(GtkResources, PngPicturesHaveTheirSizesAndShapes) {
  const auto background = LoadResourceBytes(ResourceType::Png, ORVANE_PNG_LOGIN_BACKGROUND);
  ASSERT_TRUE(background.has_value());
  EXPECT_EQ(*background, ReadArt("login_background.png"));
  const PixbufPtr bg = DecodeWithPixbuf(*background);
  ASSERT_NE(bg, nullptr);
  EXPECT_EQ(gdk_pixbuf_get_width(bg.get()), 1191);
  EXPECT_EQ(gdk_pixbuf_get_height(bg.get()), 700);
  ASSERT_TRUE(gdk_pixbuf_get_has_alpha(bg.get()));
  // Outside the rounded panel: see-through. Inside the login page's frame: opaque white,
  // which is what shows until the page has drawn.
  EXPECT_EQ(PixelOf(bg.get(), 0, 0) >> 24, 0u);
  EXPECT_EQ(PixelOf(bg.get(), 1190, 699) >> 24, 0u);
  EXPECT_EQ(PixelOf(bg.get(), 389, 152), 0xFFFFFFFFu);
  EXPECT_EQ(PixelOf(bg.get(), 389 + 730, 152 + 368), 0xFFFFFFFFu);
  EXPECT_EQ(PixelOf(bg.get(), 389 + 365, 152 + 184), 0xFFFFFFFFu);
  // Under the login window's minimise and close pictures the panel is opaque.
  EXPECT_EQ(PixelOf(bg.get(), 1048, 88) >> 24, 255u);
  EXPECT_EQ(PixelOf(bg.get(), 1127, 120) >> 24, 255u);

  const auto splash = LoadResourceBytes(ResourceType::Png, ORVANE_PNG_SPLASH);
  ASSERT_TRUE(splash.has_value());
  const PixbufPtr sp = DecodeWithPixbuf(*splash);
  ASSERT_NE(sp, nullptr);
  EXPECT_EQ(gdk_pixbuf_get_width(sp.get()), 356);
  EXPECT_EQ(gdk_pixbuf_get_height(sp.get()), 122);
  EXPECT_EQ(PixelOf(sp.get(), 0, 0) >> 24, 0u);
  EXPECT_EQ(PixelOf(sp.get(), 178, 61) >> 24, 255u);
  // Soft edges: going in from the left edge, the alpha climbs through partial values.
  std::set<std::uint32_t> partial;
  for (int x = 0; x < 12; ++x) {
    const std::uint32_t a = PixelOf(sp.get(), x, 61) >> 24;
    if (a > 0 && a < 255) {
      partial.insert(a);
    }
  }
  EXPECT_GE(partial.size(), 3u);
}

TEST(GtkResources, BundleHoldsExactlyTheProgramsPictures) {
  GError* error = nullptr;
  gchar** names =
      g_resources_enumerate_children("/orvane/bitmap/", G_RESOURCE_LOOKUP_FLAGS_NONE, &error);
  ASSERT_NE(names, nullptr) << (error ? error->message : "");
  std::set<std::string> found;
  for (gchar** n = names; *n != nullptr; ++n) {
    found.insert(*n);
  }
  g_strfreev(names);
  std::set<std::string> expected;
  for (const auto& c : kBitmaps) {
    expected.insert(std::to_string(c.id) + ".bmp");
  }
  EXPECT_EQ(found, expected);
}

TEST(GtkResources, MissingResourcesGiveNothing) {
  EXPECT_FALSE(LoadResourceBytes(ResourceType::Bitmap, 100).has_value());
  EXPECT_FALSE(LoadResourceBytes(ResourceType::Png, 103).has_value());
  EXPECT_FALSE(LoadResourceBytes(ResourceType::Icon, 102).has_value());
  EXPECT_FALSE(LoadResourceBytes(ResourceType::Update, 999).has_value());
  EXPECT_FALSE(LoadResourceBytes(ResourceType::Bitmap, 0).has_value());
  EXPECT_FALSE(LoadResourceBytes(ResourceType::Png, -101).has_value());
  EXPECT_FALSE(LoadResourceBytes(ResourceType::Png, 0x10000 + 101).has_value());
  // The kinds do not share numbers: PNG 101 is not bitmap 101.
  const auto png = LoadResourceBytes(ResourceType::Png, 101);
  const auto bitmap = LoadResourceBytes(ResourceType::Bitmap, 101);
  ASSERT_TRUE(png.has_value() && bitmap.has_value());
  EXPECT_NE(png->size(), bitmap->size());
}

}  // namespace
}  // namespace orvane
