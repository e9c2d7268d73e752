#pragma once
// The program's icon in the form desktop trays read over D-Bus: one picture per size,
// each pixel four bytes A, R, G, B in that order (network byte order of 0xAARRGGBB).

#include <cstdint>
#include <span>
#include <vector>

namespace orvane {

struct TrayIconPixmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> argb;  // rows from the top
};

// The 32-bit pictures of an icon file whose sides lie between 16 and 64 pixels, from the
// smallest up, one per size. Pictures of fewer bits (no alpha of their own) and PNG-coded
// ones are left out; a file that cannot be read gives none.
std::vector<TrayIconPixmap> TrayIconPixmapsFromIconFile(std::span<const std::uint8_t> icon_file);

}  // namespace orvane
