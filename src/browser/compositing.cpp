#include "browser/compositing.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace orvane::browser {

bool IsSoftwareRenderer(std::string_view gl_renderer) {
  std::string name(gl_renderer);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (name.find_first_not_of(" \t") == std::string::npos) {
    return true;
  }
  // Mesa's rasterisers ("llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "Software
  // Rasterizer" of swrast) and Microsoft's fallback renderer.
  constexpr std::array<std::string_view, 5> kSoftware = {"llvmpipe", "softpipe", "swrast",
                                                         "software rasterizer", "gdi generic"};
  return std::any_of(kSoftware.begin(), kSoftware.end(), [&](std::string_view marker) {
    return name.find(marker) != std::string::npos;
  });
}

}  // namespace orvane::browser
