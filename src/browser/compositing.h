#pragma once

#include <string_view>

namespace orvane::browser {

// Whether an OpenGL renderer name (GL_RENDERER) names a software rasteriser. With one, a
// web view's accelerated compositing costs memory and time and buys nothing, so the
// client turns it off; an empty name (no OpenGL at all) counts as software too.
bool IsSoftwareRenderer(std::string_view gl_renderer);

}  // namespace orvane::browser
