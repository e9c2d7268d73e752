#include "base/gtk/cairo_canvas.h"

#include <glib.h>

#include "base/picture_headers.h"
#include "base/gtk/cairo_font.h"
#include "base/gtk/cairo_surface.h"
#include "base/resources.h"

namespace orvane::gtk {
namespace {

// Opaque magenta as a cairo image pixel, whose bytes read 0xAARRGGBB.
constexpr std::uint32_t kMagentaPixel = 0xFFu << 24 | 0xFFu << 16 | 0x00u << 8 | 0xFFu;
static_assert(kMagentaPixel == 0xFFFF00FFu);

}  // namespace

std::unique_ptr<Surface> CairoCanvas::CreateSurface(int width, int height) {
  UniqueCairoSurface image = NewOpaqueImage(width, height);
  if (!image)
    throw DrawingError(kErrCreateBitmapFailed);
  auto surface = std::make_unique<CairoSurface>(std::move(image));
  surface->MarkOpaqueBlack();
  return surface;
}

std::unique_ptr<Surface> CairoCanvas::SkinFromBitmapBytes(std::span<const std::uint8_t> bytes) {
  const std::optional<DecodedBitmap> bitmap = DecodeBitmap(bytes);
  if (!bitmap)
    return nullptr;
  UniqueCairoSurface image(
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, bitmap->width, bitmap->height));
  if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS)
    return nullptr;
  cairo_surface_flush(image.get());
  unsigned char* data = cairo_image_surface_get_data(image.get());
  const int stride = cairo_image_surface_get_stride(image.get());
  // Skins are opaque pictures whose magenta marks what is not there: it is made
  // transparent here, once, so that every transparent transfer is a plain paint.
  for (int y = 0; y < bitmap->height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < bitmap->width; ++x) {
      const std::uint32_t pixel = bitmap->At(x, y) | 0xFF000000u;
      row[x] = pixel == kMagentaPixel ? 0u : pixel;
    }
  }
  cairo_surface_mark_dirty(image.get());
  return std::make_unique<CairoSurface>(std::move(image), kMagenta);
}

std::unique_ptr<Surface> CairoCanvas::LoadSkin(int bitmap_id) {
  const auto bytes = LoadResourceBytes(ResourceType::Bitmap, bitmap_id);
  std::unique_ptr<Surface> skin = bytes ? SkinFromBitmapBytes(*bytes) : nullptr;
  if (!skin)
    throw DrawingError("BITMAP " + std::to_string(bitmap_id) + " not found");
  return skin;
}

std::unique_ptr<Surface> CairoCanvas::LoadSkinFile(const std::string& path) {
  gchar* contents = nullptr;
  gsize length = 0;
  std::unique_ptr<Surface> skin;
  if (g_file_get_contents(path.c_str(), &contents, &length, nullptr)) {
    skin = SkinFromBitmapBytes(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(contents), length));
    g_free(contents);
  }
  if (!skin)
    throw DrawingError("bitmap file not loaded: " + path);
  return skin;
}

std::unique_ptr<Font> CairoCanvas::CreateGuiFont(int weight) {
  UniqueFontDescription description = DefaultGuiFontDescription();
  pango_font_description_set_weight(description.get(), static_cast<PangoWeight>(weight));
  return std::make_unique<CairoFont>(std::move(description), weight);
}

}  // namespace orvane::gtk
