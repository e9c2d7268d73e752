// The built client program itself carries every resource: Orvane.exe is opened as a
// data file and each resource is found under its type and id with its pixel size.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "base/picture_headers.h"
#include "base/resource_ids.h"
#include "support/art_expectations.h"

namespace orvane {
namespace {

class ClientResources : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExW(ORVANE_CLIENT_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr) << "cannot open the client program";
  }
  void TearDown() override {
    if (module_ != nullptr) {
      FreeLibrary(module_);
    }
  }
  std::vector<std::uint8_t> Raw(LPCWSTR name, LPCWSTR type) const {
    HRSRC found = FindResourceW(module_, name, type);
    if (found == nullptr) {
      return {};
    }
    const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(module_, found)));
    return std::vector<std::uint8_t>(data, data + SizeofResource(module_, found));
  }
  HMODULE module_ = nullptr;
};

TEST_F(ClientResources, EveryBitmapWithItsSizeDepthAndCells) {
  for (const auto& c : art::kBitmaps) {
    SCOPED_TRACE(c.file);
    const auto dib = Raw(MAKEINTRESOURCEW(c.id), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
    ASSERT_FALSE(dib.empty());
    const auto decoded = DecodeBitmap(dib);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->width, c.width);
    EXPECT_EQ(decoded->height, c.height);
    if (c.cells > 0) {
      EXPECT_EQ(c.width / c.cell_width, c.cells);
      EXPECT_EQ(art::CountDistinctCells(*decoded, c.cells, c.cell_width), c.cells);
    }
  }
}

TEST_F(ClientResources, PngAndIconFileUnderTheirCustomTypes) {
  const auto background = ParsePngHeader(Raw(MAKEINTRESOURCEW(101), L"PNG"));
  ASSERT_TRUE(background.has_value());
  EXPECT_EQ(background->width, 1191);
  EXPECT_EQ(background->height, 700);
  const auto splash = ParsePngHeader(Raw(MAKEINTRESOURCEW(102), L"PNG"));
  ASSERT_TRUE(splash.has_value());
  EXPECT_EQ(splash->width, 356);
  EXPECT_EQ(splash->height, 122);

  const auto icon = Raw(MAKEINTRESOURCEW(101), L"ICON");
  EXPECT_EQ(icon, art::ReadArt("mirab.ico"));
  const auto directory = ParseIconDirectory(icon);
  ASSERT_TRUE(directory.has_value());
  EXPECT_EQ(directory->size(), 6u);
}

TEST_F(ClientResources, VersionRecordReadsOnePointOnePointZeroPointZero) {
  const auto record = Raw(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16) /* RT_VERSION */);
  ASSERT_GT(record.size(), 40u + sizeof(VS_FIXEDFILEINFO));
  // The fixed part follows the key "VS_VERSION_INFO" at its 32-bit aligned place.
  const std::uint32_t signature = 0xFEEF04BD;
  const auto at =
      std::search(record.begin(), record.end(), reinterpret_cast<const std::uint8_t*>(&signature),
                  reinterpret_cast<const std::uint8_t*>(&signature) + 4);
  ASSERT_NE(at, record.end());
  VS_FIXEDFILEINFO info{};
  std::memcpy(&info, &*at, sizeof(info));
  EXPECT_EQ(info.dwFileVersionMS, (1u << 16) | 1u);
  EXPECT_EQ(info.dwFileVersionLS, 0u);
}

}  // namespace
}  // namespace orvane
