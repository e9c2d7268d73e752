#include "widgets/win32/ole_picture.h"

#include <olectl.h>

#include <cstring>

#include "base/picture_headers.h"
#include "base/resources.h"
#include "base/win32/gdi_handles.h"

namespace orvane::win32 {

namespace {

PicturePtr FromDescription(PICTDESC& description) {
  ComPtr<IPicture> picture;
  // The picture owns the handles (fOwn): they go when the picture goes.
  if (FAILED(OleCreatePictureIndirect(&description, IID_IPicture, TRUE, picture.put_void())) ||
      !picture) {
    return nullptr;
  }
  return std::make_shared<OlePicture>(std::move(picture));
}

// The picture's bitmap selected into a memory device context for the scope.
class BitmapSource {
 public:
  BitmapSource(HDC compatible, HBITMAP bitmap)
      : dc_(::CreateCompatibleDC(compatible)), selected_(dc_.get(), bitmap) {}
  HDC get() const { return dc_.get(); }

 private:
  UniqueDc dc_;
  SelectedObject selected_;
};

}  // namespace

double OlePicture::WidthHimetric() const {
  OLE_XSIZE_HIMETRIC width = 0;
  picture_->get_Width(&width);
  return width;
}

double OlePicture::HeightHimetric() const {
  OLE_YSIZE_HIMETRIC height = 0;
  picture_->get_Height(&height);
  return height;
}

short OlePicture::Type() const {
  SHORT type = PICTYPE_NONE;
  picture_->get_Type(&type);
  return type;
}

HBITMAP OlePicture::Bitmap() const {
  OLE_HANDLE handle = 0;
  if (Type() != PICTYPE_BITMAP || FAILED(picture_->get_Handle(&handle))) {
    return nullptr;
  }
  return reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
}

HICON OlePicture::Icon() const {
  OLE_HANDLE handle = 0;
  if (Type() != PICTYPE_ICON || FAILED(picture_->get_Handle(&handle))) {
    return nullptr;
  }
  return reinterpret_cast<HICON>(static_cast<UINT_PTR>(handle));
}

Size OlePicture::PixelSize() const {
  if (HBITMAP bitmap = Bitmap()) {
    BITMAP info{};
    ::GetObjectW(bitmap, sizeof(info), &info);
    return Size{info.bmWidth, info.bmHeight};
  }
  if (HICON icon = Icon()) {
    ICONINFO info{};
    if (::GetIconInfo(icon, &info)) {
      // The icon hands out copies of its bitmaps; they are ours to free.
      const UniqueBitmap colour(info.hbmColor);
      const UniqueBitmap mask_bitmap(info.hbmMask);
      BITMAP mask{};
      ::GetObjectW(mask_bitmap.get(), sizeof(mask), &mask);
      const int height = colour ? mask.bmHeight : mask.bmHeight / 2;
      return Size{mask.bmWidth, height};
    }
  }
  return Size{};
}

PicturePtr MakePicture(UniqueBitmap&& bitmap, UniquePalette&& palette) {
  PICTDESC description{};
#if defined(_WIN64)
  static_assert(sizeof(PICTDESC) == 24, "the picture descriptor of a 64-bit program");
#else
  static_assert(sizeof(PICTDESC) == 20, "the picture descriptor of a 32-bit program");
#endif
  description.cbSizeofstruct = sizeof(PICTDESC);
  description.picType = PICTYPE_BITMAP;
  description.bmp.hbitmap = bitmap.get();
  description.bmp.hpal = palette.get();
  PicturePtr picture = FromDescription(description);
  if (picture) {
    // Made: the picture frees them from now on.
    bitmap.release();
    palette.release();
  }
  return picture;
}

PicturePtr PictureFromIcon(UniqueIcon&& icon) {
  PICTDESC description{};
  description.cbSizeofstruct = sizeof(PICTDESC);
  description.picType = PICTYPE_ICON;
  description.icon.hicon = icon.get();
  PicturePtr picture = FromDescription(description);
  if (picture) {
    icon.release();
  }
  return picture;
}

PicturePtr PictureFromBitmapBytes(std::span<const std::uint8_t> bytes) {
  const auto info = ParseBitmapInfo(bytes);
  if (!info) {
    return nullptr;
  }
  std::span<const std::uint8_t> dib = bytes;
  if (const auto inner = DibOfBmpFile(bytes)) {
    dib = *inner;
  }
  const auto* header = reinterpret_cast<const BITMAPINFO*>(dib.data());
  WindowDc screen(nullptr);
  UniqueBitmap bitmap(::CreateDIBitmap(screen.get(), &header->bmiHeader, CBM_INIT,
                                       dib.data() + info->pixel_offset, header, DIB_RGB_COLORS));
  if (!bitmap) {
    return nullptr;
  }
  return MakePicture(std::move(bitmap));
}

PicturePtr LoadBitmapPicture(int bitmap_id) {
  const auto bytes = LoadResourceBytes(ResourceType::Bitmap, bitmap_id);
  return bytes ? PictureFromBitmapBytes(*bytes) : nullptr;
}

const OlePicture* AsOlePicture(const Picture& picture) {
  return dynamic_cast<const OlePicture*>(&picture);
}

void DrawPictureStretched(HDC dc, const Picture& picture, const Rect& dest) {
  const OlePicture* own = AsOlePicture(picture);
  if (own == nullptr || dest.Empty()) {
    return;
  }
  const Size size = own->PixelSize();
  if (HBITMAP bitmap = own->Bitmap()) {
    BitmapSource source(dc, bitmap);
    ::StretchBlt(dc, dest.x, dest.y, dest.width, dest.height, source.get(), 0, 0, size.cx, size.cy,
                 SRCCOPY);
  } else if (HICON icon = own->Icon()) {
    ::DrawIconEx(dc, dest.x, dest.y, icon, dest.width, dest.height, 0, nullptr, DI_NORMAL);
  }
}

void DrawPictureNatural(HDC dc, const Picture& picture, Point at) {
  const OlePicture* own = AsOlePicture(picture);
  if (own == nullptr) {
    return;
  }
  const Size size = own->PixelSize();
  DrawPictureStretched(dc, picture, Rect{at.x, at.y, size.cx, size.cy});
}

void CopyPictureRect(HDC dc, const Picture& picture, const Rect& source, Point dest) {
  const OlePicture* own = AsOlePicture(picture);
  HBITMAP bitmap = own ? own->Bitmap() : nullptr;
  if (bitmap == nullptr) {
    return;
  }
  // Only what lies inside the picture is copied.
  const Size size = own->PixelSize();
  const Rect inside = source.Intersect(Rect{0, 0, size.cx, size.cy});
  if (inside.Empty()) {
    return;
  }
  BitmapSource from(dc, bitmap);
  ::BitBlt(dc, dest.x + (inside.x - source.x), dest.y + (inside.y - source.y), inside.width,
           inside.height, from.get(), inside.x, inside.y, SRCCOPY);
}

std::vector<std::uint8_t> DibPictureCodec::Encode(const Picture& picture) {
  const OlePicture* own = AsOlePicture(picture);
  HBITMAP bitmap = own ? own->Bitmap() : nullptr;
  if (bitmap == nullptr) {
    return {};
  }
  const Size size = own->PixelSize();
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = size.cx;
  header.biHeight = size.cy;
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  const std::size_t pixels =
      static_cast<std::size_t>(size.cx) * static_cast<std::size_t>(size.cy) * 4;
  std::vector<std::uint8_t> bytes(sizeof(header) + pixels);
  std::memcpy(bytes.data(), &header, sizeof(header));
  WindowDc screen(nullptr);
  BITMAPINFO info{};
  info.bmiHeader = header;
  if (::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(size.cy),
                  bytes.data() + sizeof(header), &info, DIB_RGB_COLORS) == 0) {
    return {};
  }
  return bytes;
}

PicturePtr DibPictureCodec::Decode(std::span<const std::uint8_t> bytes) {
  return PictureFromBitmapBytes(bytes);
}

}  // namespace orvane::win32
