#include "app/gtk/icon_file_images.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>

#include "base/picture_headers.h"

namespace orvane::gtk {
namespace {

constexpr std::size_t kHeaderSize = 6;  // reserved, type, count
constexpr std::size_t kEntrySize = 16;

void PutLittleEndian(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value,
                     int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

// An icon file holding only image `index` of `bytes`, its directory entry copied as it is.
std::vector<std::uint8_t> SingleImageFile(std::span<const std::uint8_t> bytes, std::size_t index,
                                          const IconImageInfo& image) {
  std::vector<std::uint8_t> file(kHeaderSize + kEntrySize + image.size);
  PutLittleEndian(file, 0, 0, 2);
  PutLittleEndian(file, 2, 1, 2);
  PutLittleEndian(file, 4, 1, 2);
  const std::size_t entry = kHeaderSize + index * kEntrySize;
  std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(entry), kEntrySize,
              file.begin() + kHeaderSize);
  PutLittleEndian(file, kHeaderSize + 12, static_cast<std::uint32_t>(kHeaderSize + kEntrySize), 4);
  std::copy_n(bytes.begin() + image.offset, image.size, file.begin() + kHeaderSize + kEntrySize);
  return file;
}

UniqueGObject<GdkPixbuf> Decode(const std::vector<std::uint8_t>& file) {
  const UniqueGObject<GdkPixbufLoader> loader(gdk_pixbuf_loader_new_with_type("ico", nullptr));
  if (!loader) {
    return nullptr;
  }
  const bool written = gdk_pixbuf_loader_write(loader.get(), file.data(), file.size(), nullptr);
  // Closed in every case: a loader must not go while it still expects data.
  const bool closed = gdk_pixbuf_loader_close(loader.get(), nullptr);
  GdkPixbuf* pixbuf = written && closed ? gdk_pixbuf_loader_get_pixbuf(loader.get()) : nullptr;
  return UniqueGObject<GdkPixbuf>(pixbuf != nullptr ? GDK_PIXBUF(g_object_ref(pixbuf)) : nullptr);
}

}  // namespace

std::vector<UniqueGObject<GdkPixbuf>> IconFileImages(std::span<const std::uint8_t> bytes) {
  std::vector<UniqueGObject<GdkPixbuf>> images;
  const std::optional<std::vector<IconImageInfo>> directory = ParseIconDirectory(bytes);
  if (!directory) {
    return images;
  }
  for (std::size_t i = 0; i < directory->size(); ++i) {
    if (UniqueGObject<GdkPixbuf> image = Decode(SingleImageFile(bytes, i, (*directory)[i]))) {
      images.push_back(std::move(image));
    }
  }
  return images;
}

std::vector<UniqueGObject<GdkPixbuf>> IconFileImages(const char* path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                        std::istreambuf_iterator<char>()};
  return IconFileImages(bytes);
}

void SetWindowIcons(GtkWindow* window, const std::vector<UniqueGObject<GdkPixbuf>>& images) {
  if (images.empty()) {
    return;
  }
  GList* list = nullptr;
  for (const UniqueGObject<GdkPixbuf>& image : images) {
    list = g_list_append(list, image.get());
  }
  gtk_window_set_icon_list(window, list);  // the window takes its own references
  g_list_free(list);
}

}  // namespace orvane::gtk
