// The program's icon file split into its images for the window's icon list: every size
// the file holds, each decoded on its own, and nothing from bytes that are no icon file.
#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "app/gtk/icon_file_images.h"
#include "base/resource_ids.h"
#include "base/resources.h"

namespace orvane::gtk {
namespace {

TEST(IconFileImages, EveryImageOfTheProgramsIconFileInItsOrder) {
  const std::optional<std::vector<std::uint8_t>> file =
      LoadResourceBytes(ResourceType::Icon, ORVANE_ICONFILE_MIRAB);
  ASSERT_TRUE(file);
  const std::vector<UniqueGObject<GdkPixbuf>> images = IconFileImages(*file);
  std::vector<std::pair<int, int>> sizes;
  for (const UniqueGObject<GdkPixbuf>& image : images) {
    sizes.emplace_back(gdk_pixbuf_get_width(image.get()), gdk_pixbuf_get_height(image.get()));
  }
  EXPECT_EQ(sizes, (std::vector<std::pair<int, int>>{
                       {16, 16}, {128, 128}, {64, 64}, {48, 48}, {32, 32}, {16, 16}}));
  // The 32-bit images keep their transparency: the 48 x 48 one has a see-through corner
  // and an opaque middle.
  ASSERT_EQ(images.size(), 6u);
  GdkPixbuf* image = images[3].get();
  ASSERT_TRUE(gdk_pixbuf_get_has_alpha(image));
  const guchar* pixels = gdk_pixbuf_get_pixels(image);
  const int stride = gdk_pixbuf_get_rowstride(image);
  EXPECT_EQ(pixels[3], 0);
  EXPECT_EQ(pixels[24 * stride + 24 * 4 + 3], 255);
}

TEST(IconFileImages, NothingFromBytesThatAreNoIconFile) {
  const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0x0d, 0x0a, 0x1a, 0x0a};
  EXPECT_TRUE(IconFileImages(png).empty());
  EXPECT_TRUE(IconFileImages(std::vector<std::uint8_t>{}).empty());
  EXPECT_TRUE(IconFileImages("/nonexistent/mirab.ico").empty());
}

}  // namespace
}  // namespace orvane::gtk
