#include "support/art_expectations.h"

#include <fstream>
#include <iterator>
#include <set>

namespace orvane::art {

std::vector<std::uint8_t> ReadArt(const std::string& name) {
  std::ifstream in(std::string(ORVANE_RESOURCE_DIR) + "/" + name, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

int CountDistinctCells(const DecodedBitmap& strip, int cells, int cell_width) {
  std::set<std::vector<std::uint32_t>> distinct;
  for (int i = 0; i < cells; ++i) {
    std::vector<std::uint32_t> cell;
    for (int y = 0; y < strip.height; ++y) {
      for (int x = i * cell_width; x < (i + 1) * cell_width && x < strip.width; ++x) {
        cell.push_back(strip.At(x, y));
      }
    }
    distinct.insert(cell);
  }
  return static_cast<int>(distinct.size());
}

}  // namespace orvane::art
