#include <windows.h>
#include <objidl.h>

#include <algorithm>
// GDI+'s headers expect min and max in scope; the project builds with NOMINMAX.
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/picture_headers.h"
#include "base/product_version.h"
#include "base/resource_ids.h"
#include "base/resources.h"
#include "support/art_expectations.h"
#include "base/temp_folder.h"
#include "base/win32/gdi_handles.h"

// The resources as this test program carries them (it links the program's resource
// script): read back through LoadResourceBytes and through the system's own loaders.

namespace orvane {
namespace {

using art::CountDistinctCells;
using art::kBitmaps;
using art::ReadArt;

std::vector<std::uint8_t> RawResource(LPCWSTR name, LPCWSTR type) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, name, type);
  if (found == nullptr) {
    return {};
  }
  const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, found)));
  return std::vector<std::uint8_t>(data, data + SizeofResource(module, found));
}

struct IconDestroyer {
  void operator()(HICON icon) const noexcept { DestroyIcon(icon); }
};
using IconPtr = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;

// Width and height of an icon's colour picture; its mask bitmaps are deleted here.
SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) {
    return {0, 0};
  }
  win32::UniqueBitmap colour(info.hbmColor);
  win32::UniqueBitmap mask(info.hbmMask);
  BITMAP bm{};
  GetObjectW(colour ? colour.get() : mask.get(), sizeof bm, &bm);
  return {bm.bmWidth, colour ? bm.bmHeight : bm.bmHeight / 2};
}

TEST(Win32Resources, EveryBitmapIsARawDibOfItsSize) {
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
      const auto pixels = DecodeBitmap(*bytes);
      ASSERT_TRUE(pixels.has_value());
      EXPECT_EQ(CountDistinctCells(*pixels, c.cells, c.cell_width), c.cells);
    }
  }
}

TEST(Win32Resources, SystemLoadsEveryBitmapByNumber) {
  for (const auto& c : kBitmaps) {
    SCOPED_TRACE(c.file);
    win32::UniqueBitmap bitmap(
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(c.id),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ASSERT_TRUE(bitmap);
    DIBSECTION dib{};
    ASSERT_EQ(GetObjectW(bitmap.get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmWidth, c.width);
    EXPECT_EQ(dib.dsBm.bmHeight, c.height);
    EXPECT_EQ(dib.dsBm.bmBitsPixel, c.bits);
  }
}

TEST(Win32Resources, IconFileIsCarriedWholeAndLoadsFromATemporaryFile) {
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
    EXPECT_EQ((*images)[i].image_height, sizes[i]) << i;
    EXPECT_EQ((*images)[i].bits_per_pixel, bits[i]) << i;
  }

  // The way the login and main windows use it: written to a file, loaded at 16 and 32.
  const std::string folder = GetTempFolder();
  ASSERT_FALSE(folder.empty());
  const std::string path = folder + "orvane-resources-test.ico";
  {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes->data()),
              static_cast<std::streamsize>(bytes->size()));
  }
  for (int size : {16, 32}) {
    IconPtr icon(static_cast<HICON>(
        LoadImageA(nullptr, path.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE)));
    ASSERT_NE(icon, nullptr) << size;
    const SIZE got = IconSize(icon.get());
    EXPECT_EQ(got.cx, size);
    EXPECT_EQ(got.cy, size);
  }
  DeleteFileA(path.c_str());
}

TEST(Win32Resources, ApplicationIconHasTheSameSixImages) {
  // The icon group as the resource compiler stored it: a directory of 14-byte entries.
  const auto group = RawResource(MAKEINTRESOURCEW(ORVANE_ICON_APPLICATION),
                                 MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
  ASSERT_GE(group.size(), 6u);
  std::uint16_t count = 0;
  std::memcpy(&count, group.data() + 4, 2);
  ASSERT_EQ(count, 6);
  ASSERT_EQ(group.size(), 6u + 14u * 6u);
  const int sizes[] = {16, 128, 64, 48, 32, 16};
  const int bits[] = {8, 32, 32, 32, 32, 32};
  for (std::size_t i = 0; i < 6; ++i) {
    const std::uint8_t* e = group.data() + 6 + 14 * i;
    std::uint16_t bit_count = 0;
    std::memcpy(&bit_count, e + 6, 2);
    EXPECT_EQ(e[0], sizes[i]) << i;
    EXPECT_EQ(bit_count, bits[i]) << i;
  }
  for (int size : {16, 32, 48}) {
    IconPtr icon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                               MAKEINTRESOURCEW(ORVANE_ICON_APPLICATION),
                                               IMAGE_ICON, size, size, 0)));
    ASSERT_NE(icon, nullptr) << size;
    EXPECT_EQ(IconSize(icon.get()).cx, size);
  }
}

// GDI+ session for the picture checks, shut down on scope exit.
class GdiplusSession {
 public:
  GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
  }
  ~GdiplusSession() {
    if (ok_) {
      Gdiplus::GdiplusShutdown(token_);
    }
  }
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  bool ok() const { return ok_; }

 private:
  ULONG_PTR token_ = 0;
  bool ok_ = false;
};

struct StreamRelease {
  void operator()(IStream* stream) const noexcept { stream->Release(); }
};
struct ImageDispose {
  void operator()(Gdiplus::GpBitmap* bitmap) const noexcept {
    Gdiplus::DllExports::GdipDisposeImage(bitmap);
  }
};
using GpBitmapPtr = std::unique_ptr<Gdiplus::GpBitmap, ImageDispose>;

// Decodes PNG bytes the way the splash and login background do: a stream over global
// memory handed to GDI+.
GpBitmapPtr DecodePng(const std::vector<std::uint8_t>& png) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, png.size());
  if (memory == nullptr) {
    return nullptr;
  }
  std::memcpy(GlobalLock(memory), png.data(), png.size());
  GlobalUnlock(memory);
  IStream* raw = nullptr;
  // The stream frees the memory when it is released.
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &raw))) {
    GlobalFree(memory);
    return nullptr;
  }
  std::unique_ptr<IStream, StreamRelease> stream(raw);
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (Gdiplus::DllExports::GdipCreateBitmapFromStream(stream.get(), &bitmap) != Gdiplus::Ok) {
    return nullptr;
  }
  // Clone so the picture no longer reads from the stream released below.
  Gdiplus::GpBitmap* copy = nullptr;
  UINT w = 0, h = 0;
  Gdiplus::DllExports::GdipGetImageWidth(bitmap, &w);
  Gdiplus::DllExports::GdipGetImageHeight(bitmap, &h);
  Gdiplus::DllExports::GdipCloneBitmapAreaI(0, 0, static_cast<INT>(w), static_cast<INT>(h),
                                            PixelFormat32bppARGB, bitmap, &copy);
  Gdiplus::DllExports::GdipDisposeImage(bitmap);
  return GpBitmapPtr(copy);
}

std::uint32_t PixelAt(Gdiplus::GpBitmap* bitmap, int x, int y) {
  Gdiplus::ARGB argb = 0;
  Gdiplus::DllExports::GdipBitmapGetPixel(bitmap, x, y, &argb);
  return argb;
}

TEST(Win32Resources, PngPicturesDecodeWithTheirSizesAndTransparency) {
  const GdiplusSession session;
  ASSERT_TRUE(session.ok());

  const auto background = LoadResourceBytes(ResourceType::Png, ORVANE_PNG_LOGIN_BACKGROUND);
  ASSERT_TRUE(background.has_value());
  EXPECT_EQ(*background, ReadArt("login_background.png"));
  const GpBitmapPtr bg = DecodePng(*background);
  ASSERT_NE(bg, nullptr);
  UINT w = 0, h = 0;
  Gdiplus::DllExports::GdipGetImageWidth(bg.get(), &w);
  Gdiplus::DllExports::GdipGetImageHeight(bg.get(), &h);
  EXPECT_EQ(w, 1191u);
  EXPECT_EQ(h, 700u);
  EXPECT_EQ(PixelAt(bg.get(), 0, 0) >> 24, 0u);
  EXPECT_EQ(PixelAt(bg.get(), 389 + 365, 152 + 184), 0xFFFFFFFFu);

  const auto splash = LoadResourceBytes(ResourceType::Png, ORVANE_PNG_SPLASH);
  ASSERT_TRUE(splash.has_value());
  const GpBitmapPtr sp = DecodePng(*splash);
  ASSERT_NE(sp, nullptr);
  Gdiplus::DllExports::GdipGetImageWidth(sp.get(), &w);
  Gdiplus::DllExports::GdipGetImageHeight(sp.get(), &h);
  EXPECT_EQ(w, 356u);
  EXPECT_EQ(h, 122u);
  EXPECT_EQ(PixelAt(sp.get(), 0, 0) >> 24, 0u);
  EXPECT_EQ(PixelAt(sp.get(), 178, 61) >> 24, 255u);
}

TEST(Win32Resources, VersionRecordCarriesTheProgramVersion) {
  const auto record = RawResource(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16) /* RT_VERSION */);
  ASSERT_FALSE(record.empty());
  // VS_FIXEDFILEINFO starts with its signature.
  const std::uint32_t signature = 0xFEEF04BD;
  const auto* bytes = record.data();
  std::size_t at = 0;
  while (at + sizeof(VS_FIXEDFILEINFO) <= record.size() &&
         std::memcmp(bytes + at, &signature, 4) != 0) {
    at += 4;
  }
  ASSERT_LE(at + sizeof(VS_FIXEDFILEINFO), record.size());
  VS_FIXEDFILEINFO fixed{};
  std::memcpy(&fixed, bytes + at, sizeof fixed);
  EXPECT_EQ(fixed.dwFileVersionMS,
            static_cast<DWORD>((ORVANE_VERSION_MAJOR << 16) | ORVANE_VERSION_MINOR));
  EXPECT_EQ(fixed.dwFileVersionLS,
            static_cast<DWORD>((ORVANE_VERSION_PATCH << 16) | ORVANE_VERSION_BUILD));
  EXPECT_EQ(fixed.dwFileVersionMS, 0x00010001u);
  EXPECT_EQ(fixed.dwFileVersionLS, 0u);
  // The texts are stored in UTF-16.
  const std::wstring wide = L"1.1.0.0";
  const std::wstring_view text(reinterpret_cast<const wchar_t*>(bytes), record.size() / 2);
  EXPECT_NE(text.find(wide), std::wstring_view::npos);
  EXPECT_NE(text.find(L"Orvane"), std::wstring_view::npos);
}

TEST(Win32Resources, MissingResourcesGiveNothing) {
  EXPECT_FALSE(LoadResourceBytes(ResourceType::Bitmap, 100).has_value());
  EXPECT_FALSE(LoadResourceBytes(ResourceType::Png, 103).has_value());
  EXPECT_FALSE(LoadResourceBytes(ResourceType::Icon, 102).has_value());
  EXPECT_FALSE(LoadResourceBytes(ResourceType::Update, 999).has_value());
  EXPECT_FALSE(LoadResourceBytes(ResourceType::Bitmap, 0).has_value());
  EXPECT_FALSE(LoadResourceBytes(ResourceType::Png, 0x10000 + 101).has_value());
  // The custom "ICON" type is not the icon resource type: number 1 is only the latter.
  EXPECT_FALSE(LoadResourceBytes(ResourceType::Icon, ORVANE_ICON_APPLICATION).has_value());
}

}  // namespace
}  // namespace orvane
