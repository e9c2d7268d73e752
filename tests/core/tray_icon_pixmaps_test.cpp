// The program's icon as trays read it over D-Bus.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "mainwin/tray_icon_pixmaps.h"

namespace orvane {
namespace {

std::vector<std::uint8_t> ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// A one-image icon file with a 32-bit picture of `side` pixels; pixel (x, y) from the top
// is B=x, G=y, R=0x11, A=0x80.
std::vector<std::uint8_t> OneImageIcon(int side) {
  std::vector<std::uint8_t> f;
  auto le16 = [&](unsigned v) {
    f.push_back(static_cast<std::uint8_t>(v));
    f.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  auto le32 = [&](std::uint32_t v) {
    le16(v & 0xFFFF);
    le16(v >> 16);
  };
  const auto s = static_cast<std::uint32_t>(side);
  const std::uint32_t mask_stride = ((s + 31) / 32) * 4;
  const std::uint32_t size = 40 + s * s * 4 + mask_stride * s;
  le16(0);
  le16(1);
  le16(1);
  f.push_back(static_cast<std::uint8_t>(side));
  f.push_back(static_cast<std::uint8_t>(side));
  f.push_back(0);
  f.push_back(0);
  le16(1);
  le16(32);
  le32(size);
  le32(22);
  le32(40);
  le32(s);
  le32(s * 2);
  le16(1);
  le16(32);
  for (int i = 0; i < 6; ++i) {
    le32(0);
  }
  for (int y = side - 1; y >= 0; --y) {
    for (int x = 0; x < side; ++x) {
      f.push_back(static_cast<std::uint8_t>(x));
      f.push_back(static_cast<std::uint8_t>(y));
      f.push_back(0x11);
      f.push_back(0x80);
    }
  }
  f.resize(f.size() + mask_stride * s, 0);
  return f;
}

TEST(TrayIconPixmaps, PixelsComeOutTopDownAsArgb) {
  const auto pixmaps = TrayIconPixmapsFromIconFile(OneImageIcon(16));
  ASSERT_EQ(pixmaps.size(), 1u);
  const TrayIconPixmap& p = pixmaps[0];
  EXPECT_EQ(p.width, 16);
  EXPECT_EQ(p.height, 16);
  ASSERT_EQ(p.argb.size(), 16u * 16u * 4u);
  auto at = [&](int x, int y) { return &p.argb[static_cast<std::size_t>((y * 16 + x) * 4)]; };
  EXPECT_EQ(at(0, 0)[0], 0x80);
  EXPECT_EQ(at(0, 0)[1], 0x11);
  EXPECT_EQ(at(3, 5)[2], 5);  // green holds y
  EXPECT_EQ(at(3, 5)[3], 3);  // blue holds x
  EXPECT_EQ(at(15, 15)[2], 15);
}

TEST(TrayIconPixmaps, SizesOutsideTheTrayRangeAndDamagedFilesGiveNothing) {
  EXPECT_TRUE(TrayIconPixmapsFromIconFile(OneImageIcon(8)).empty());
  EXPECT_TRUE(TrayIconPixmapsFromIconFile(OneImageIcon(96)).empty());
  const auto whole = OneImageIcon(32);
  const std::vector<std::uint8_t> cut(whole.begin(), whole.end() - 200);
  EXPECT_TRUE(TrayIconPixmapsFromIconFile(cut).empty());
  EXPECT_TRUE(TrayIconPixmapsFromIconFile({}).empty());
}

TEST(TrayIconPixmaps, TheProgramsIconGivesFourSizesFromSixteenToSixtyFour) {
  const auto file = ReadFile(ORVANE_RESOURCE_DIR "/mirab.ico");
  ASSERT_FALSE(file.empty());
  const auto pixmaps = TrayIconPixmapsFromIconFile(file);
  std::vector<int> sides;
  for (const auto& p : pixmaps) {
    sides.push_back(p.width);
    EXPECT_EQ(p.argb.size(), static_cast<std::size_t>(p.width * p.height * 4));
  }
  EXPECT_EQ(sides, (std::vector<int>{16, 32, 48, 64}));
  // The picture is drawn, not blank: some pixels are opaque, some transparent.
  const auto& p16 = pixmaps[0].argb;
  bool opaque = false;
  bool clear = false;
  for (std::size_t i = 0; i < p16.size(); i += 4) {
    opaque = opaque || p16[i] == 0xFF;
    clear = clear || p16[i] == 0;
  }
  EXPECT_TRUE(opaque);
  EXPECT_TRUE(clear);
}

}  // namespace
}  // namespace orvane
